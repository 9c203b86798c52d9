#include "helper_Receive.h"

#include "app/gui/QtText.h"
#include "support/TypeText.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace tavrelo::test {

ModalAnswerer::ModalAnswerer(const std::unique_ptr<ProgramSession>* session)
    : m_session(session)
{
    connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::poll);
    m_timer.start(10);
}

void ModalAnswerer::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    // A file dialog is the FileDialogUser's to answer, however long the machine takes.
    if (!modal || !modal->isVisible() || qobject_cast<QFileDialog*>(modal))
        return;
    if (!m_queue.empty() && modal->objectName() == m_queue.front().first) {
        const QString button = m_queue.front().second;
        m_queue.pop_front();
        answered << modal->objectName() + " " + button;
        const ProgramSession* running = m_session ? m_session->get() : nullptr;
        statusAtShow << (running ? QString::fromStdString(running->state.TransferStatus) : QString());
        if (beforeAnswer)
            beforeAnswer(modal);
        if (button == "close") {
            modal->close();
        } else if (auto* control = modal->findChild<QAbstractButton*>(button)) {
            control->click();
        } else {
            answered.last() += " (no such button)";
            modal->close();
        }
        return;
    }
    // Give a window some seconds before calling it a stranger: a loaded machine may
    // take that long to show the next expected one over it.
    if (modal != m_stranger) {
        m_stranger = modal;
        m_strangerSince.start();
    } else if (m_strangerSince.elapsed() > 3000) {
        answered << "unexpected " + modal->objectName();
        modal->close();
        m_stranger = nullptr;
    }
}

ReceiveDriver::ReceiveDriver(const QString& programFolder, const QString& workFolder)
    : folder(programFolder)
    , work(workFolder.isEmpty() ? QTemporaryDir() : QTemporaryDir(QDir::temp().filePath(workFolder + "-XXXXXX")))
{
    CreateDefaultIni(folder);
    session = folder.start();
}

std::string ReceiveDriver::path(const QString& name) const
{
    return FromQt(QDir(work.path()).filePath(name));
}

std::string ReceiveDriver::copyFixture(const char* name, const QString& as) const
{
    const std::string target = path(as.isEmpty() ? QString::fromLatin1(name) : as);
    QFile::remove(ToQt(target));
    if (!QFile::copy(QStringLiteral(TAVRELO_TEST_DATA "/") + name, ToQt(target)))
        qFatal("cannot copy %s", name);
    return target;
}

void ReceiveDriver::addListItems(const char* section, const QByteArray& items)
{
    QByteArray ini = folder.iniBytes();
    const qsizetype header = ini.indexOf("[" + QByteArray(section) + "]\r\n");
    const qsizetype end = ini.indexOf("\r\n\r\n", header);
    if (header < 0 || end < header)
        qFatal("no list section %s", section);
    ini.insert(end + 2, items);
    session.reset();
    folder.writeIni(ini);
    session = folder.start();
}

void ReceiveDriver::choose(bool file, int kind, int position) const
{
    const auto press = [this](const std::string& name) {
        QTest::mouseClick(Find<QRadioButton>(*session, name.c_str()), Qt::LeftButton, {}, QPoint(5, 5));
    };
    press("OpReceive" + std::to_string(kind));
    press(file ? "OpSourse1" : "OpSourse0");
    Find<QComboBox>(*session, "ComboDataFormat")->setCurrentIndex(position);
}

void ReceiveDriver::chooseSource(const std::string& source) const
{
    const QString answer = ToQt(source);
    seams().openFileName = [answer](QWidget*, const QString&, const QString&, const QString&, const QString&) {
        return answer;
    };
    click("ComFileName");
}

void ReceiveDriver::typeTarget(const QString& text) const
{
    auto* box = Find<QLineEdit>(*session, "TxFileName");
    box->clear();
    TypeText(box, text);
}

void ReceiveDriver::click(const char* button) const
{
    Find<QPushButton>(*session, button)->click();
}

QString ReceiveDriver::target() const
{
    return Find<QLineEdit>(*session, "TxFileName")->text();
}

bool ReceiveDriver::viewEnabled() const
{
    return Find<QPushButton>(*session, "ComViewFile")->isEnabled();
}

QByteArray ReadBytes(const std::string& path)
{
    QFile file(ToQt(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const std::string& path, const QByteArray& bytes)
{
    QFile file(ToQt(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", path.c_str());
}

} // namespace tavrelo::test
