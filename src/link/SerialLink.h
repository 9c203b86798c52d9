#pragma once
// The serial port to the instrument: the one object that owns a QSerialPort. It opens
// the port with the chosen communication settings, hands received bytes on, queues
// bytes for sending and reports their hand-over, and closes the port at the first
// port error (a pulled cable or adapter comes as a read error that repeats for as
// long as the port stays open).
//
// For a download: open(), then readAll() on every dataArrived(); close() at the end.
// For an upload: open(), writeNow() a line and wait until deviceBytesToWrite() is 0
// (and, where writeNow() queues, allWritten()) before the next one; or write() and
// wait for allWritten() before closeWhenDrained(). close() at once discards what is
// still queued.
#include "link/core/PortSettings.h"

#include <QObject>
#include <QSerialPort>

namespace tavrelo {

class SerialLink : public QObject {
    Q_OBJECT
public:
    explicit SerialLink(QObject* parent = nullptr);
    ~SerialLink() override;

    // Closes the port if it is open, then opens `device` with the settings (parity
    // none, one stop bit). False when it cannot be opened: errorNumber() and
    // errorString() say why, and the port is closed.
    bool open(const std::string& device, const PortSettings& settings);
    bool isOpen() const;
    // Closes at once; bytes still queued for sending are dropped. Nothing when closed.
    void close();

    QByteArray readAll();
    // Queues bytes for sending; false when the port is closed or refuses them.
    bool write(const QByteArray& bytes);
    // Hands bytes to the device at once, as many as it takes now without waiting, and
    // gives their count: 0 when it holds them back (XOFF, a full buffer). -1 when the
    // device fails: errorNumber() and errorString() say why and the port is closed
    // (failed() is not emitted: the caller has the answer). Where the system offers no
    // such hand-over, the bytes are queued as write() queues them and all counted.
    qint64 writeNow(const char* data, qint64 size);
    // A pseudo-terminal keeps nothing back: what it takes is with the program at its
    // other end at once.
    bool isPseudoTerminal() const;
    // Bytes queued but not yet handed to the device.
    qint64 bytesToWrite() const;
    // Bytes the device itself still holds for sending (a UART's buffer, held back by
    // XOFF or still on its way out); 0 where the system cannot tell.
    qint64 deviceBytesToWrite() const;
    // Closes as soon as every queued byte has been handed over (at once when none is
    // queued); closed() follows.
    void closeWhenDrained();

    // The number that stands for the last failure (open or port error), never 0 after
    // one, and its description.
    int errorNumber() const { return m_errorNumber; }
    QString errorString() const { return m_errorString; }
    // The port's own kind of the last failure (NoError when there was none).
    QSerialPort::SerialPortError error() const { return m_error; }

signals:
    void dataArrived();
    void bytesWritten(qint64 bytes);
    // Every queued byte has been handed to the device.
    void allWritten();
    // The port failed while open; it has been closed already.
    void failed(const QString& reason);
    void closed();

private:
    void onError(QSerialPort::SerialPortError error);
    void onBytesWritten(qint64 bytes);
    void recordError(QSerialPort::SerialPortError error);

    QSerialPort* m_port;
    bool m_closeWhenDrained = false;
    int m_errorNumber = 0;
    QString m_errorString;
    QSerialPort::SerialPortError m_error = QSerialPort::NoError;
};

} // namespace tavrelo
