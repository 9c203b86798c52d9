#include "link/SerialLink.h"

#include "platform/FileNames.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/sysmacros.h>
#endif


namespace tavrelo {

namespace {

// The numbers a failure is reported by, in the serial control's own numbering.
struct ErrorNumber {
    QSerialPort::SerialPortError error;
    int number;
};

const ErrorNumber kErrorNumbers[] = {
    {QSerialPort::DeviceNotFoundError, 8002},       // invalid port number
    {QSerialPort::PermissionError, 8005},           // port already open
    {QSerialPort::OpenError, 8005},
    {QSerialPort::UnsupportedOperationError, 380},  // invalid property value
    {QSerialPort::ReadError, 68},                   // device unavailable
    {QSerialPort::WriteError, 68},
    {QSerialPort::ResourceError, 68},
};
constexpr int kOtherPortError = 8015; // could not set the port's state

int NumberOf(QSerialPort::SerialPortError error)
{
    for (const ErrorNumber& entry : kErrorNumbers)
        if (entry.error == error)
            return entry.number;
    return kOtherPortError;
}

} // namespace

SerialLink::SerialLink(QObject* parent)
    : QObject(parent)
    , m_port(new QSerialPort(this))
{
    connect(m_port, &QSerialPort::readyRead, this, &SerialLink::dataArrived);
    connect(m_port, &QSerialPort::bytesWritten, this, &SerialLink::onBytesWritten);
    connect(m_port, &QSerialPort::errorOccurred, this, &SerialLink::onError);
}

SerialLink::~SerialLink()
{
    // A link destroyed with its window never leaves the port open.
    m_port->blockSignals(true);
    m_port->close();
}

bool SerialLink::open(const std::string& device, const PortSettings& settings)
{
    close();
    m_errorNumber = 0;
    m_errorString.clear();
    m_error = QSerialPort::NoError;
    m_port->setPortName(QFile::decodeName(QByteArray::fromStdString(SystemFileName(device))));
    m_port->setBaudRate(settings.baudRate);
    m_port->setDataBits(static_cast<QSerialPort::DataBits>(settings.dataBits));
    m_port->setParity(QSerialPort::NoParity);
    m_port->setStopBits(QSerialPort::OneStop);
    m_port->setFlowControl(settings.xonXoff ? QSerialPort::SoftwareControl : QSerialPort::NoFlowControl);
    m_port->blockSignals(true); // an open that fails is reported by the result
    const bool opened = m_port->open(QIODevice::ReadWrite);
    m_port->blockSignals(false);
    if (opened && m_port->error() == QSerialPort::NoError)
        return true;
    recordError(m_port->error() == QSerialPort::NoError ? QSerialPort::OpenError : m_port->error());
    m_port->blockSignals(true);
    m_port->close();
    m_port->clearError();
    m_port->blockSignals(false);
    return false;
}

bool SerialLink::isOpen() const
{
    return m_port->isOpen();
}

void SerialLink::close()
{
    m_closeWhenDrained = false;
    if (!m_port->isOpen())
        return;
    m_port->close();
    emit closed();
}

QByteArray SerialLink::readAll()
{
    return m_port->readAll();
}

bool SerialLink::write(const QByteArray& bytes)
{
    if (!m_port->isOpen())
        return false;
    return m_port->write(bytes) == bytes.size();
}

qint64 SerialLink::writeNow(const char* data, qint64 size)
{
    if (!m_port->isOpen())
        return -1;
#ifdef Q_OS_UNIX
    // Past QSerialPort, which hands queued bytes to the device only on a later pass of
    // the event loop: the caller learns at once how much the device took, and what it
    // did not take stays with the caller, never in a queue the port sends later.
    const ssize_t taken = ::write(m_port->handle(), data, static_cast<size_t>(size));
    if (taken >= 0)
        return taken;
    if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
        return 0;
    const QString reason = QString::fromLocal8Bit(std::strerror(errno));
    recordError(QSerialPort::WriteError);
    m_errorString = reason;
    close();
    return -1;
#else
    return write(QByteArray(data, static_cast<qsizetype>(size))) ? size : -1;
#endif
}

bool SerialLink::isPseudoTerminal() const
{
#ifdef Q_OS_LINUX
    // The slave sides of the system's pseudo-terminals have the majors 136 to 143.
    struct stat status {};
    if (m_port->isOpen() && ::fstat(m_port->handle(), &status) == 0 && S_ISCHR(status.st_mode)) {
        const unsigned int kind = major(status.st_rdev);
        return kind >= 136 && kind <= 143;
    }
#endif
    return false;
}

qint64 SerialLink::bytesToWrite() const
{
    return m_port->isOpen() ? m_port->bytesToWrite() : 0;
}

qint64 SerialLink::deviceBytesToWrite() const
{
#ifdef Q_OS_UNIX
    int queued = 0;
    if (m_port->isOpen() && ::ioctl(m_port->handle(), TIOCOUTQ, &queued) == 0)
        return queued;
#endif
    return 0;
}

void SerialLink::closeWhenDrained()
{
    if (bytesToWrite() == 0) {
        close();
        return;
    }
    m_closeWhenDrained = true;
}

void SerialLink::onBytesWritten(qint64 bytes)
{
    emit bytesWritten(bytes);
    if (m_port->bytesToWrite() != 0)
        return;
    emit allWritten();
    if (m_closeWhenDrained)
        close();
}

void SerialLink::recordError(QSerialPort::SerialPortError error)
{
    m_error = error;
    m_errorNumber = NumberOf(error);
    m_errorString = m_port->errorString();
}

// The first error closes the port: a vanished device would otherwise report itself
// again and again for as long as the port stays open.
void SerialLink::onError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError || !m_port->isOpen())
        return;
    recordError(error);
    const QString reason = m_errorString;
    m_port->clearError();
    close();
    emit failed(reason);
}

} // namespace tavrelo
