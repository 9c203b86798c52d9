#include "helper_Download.h"

#include "conversion/ConverterRegistry.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>

namespace tavrelo::test {

QWidget* DownloadWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "F_DL")
            return w;
    return nullptr;
}

DownloadDriver::DownloadDriver(const QString& programFolder, const QString& workFolder)
    : ReceiveDriver(programFolder, workFolder)
    , instrument(folder.path())
{
    if (!instrument.isValid())
        qFatal("no simulator: %s", qPrintable(instrument.errorString()));
    QObject::connect(&m_sampler, &QTimer::timeout, [this] { sample(); });
}

void DownloadDriver::sample()
{
    QWidget* dl = DownloadWindow();
    if (!dl || !dl->isVisible())
        return;
    if (session->mainWindow->isEnabled())
        mainEnabledDuringDownload = true;
    const QString status = dl->findChild<QLabel*>("LbRAWdata")->text();
    formatText = dl->findChild<QLabel*>("LbDataformat")->text();
    if (statusTexts.isEmpty() || statusTexts.last() != status)
        statusTexts << status;
    if (m_actWhen && m_actWhen()) {
        m_actWhen = nullptr;
        m_act();
    }
    if (m_cancelWhen && m_cancelWhen()) {
        m_cancelWhen = nullptr;
        if (m_closeBox)
            dl->close();
        else
            dl->findChild<QPushButton*>("ComCancel")->click();
    }
}

void DownloadDriver::cancelWhen(std::function<bool()> when, bool closeBox)
{
    m_cancelWhen = std::move(when);
    m_closeBox = closeBox;
}

void DownloadDriver::actWhen(std::function<bool()> when, std::function<void()> act)
{
    m_actWhen = std::move(when);
    m_act = std::move(act);
}

void DownloadDriver::download()
{
    folder.interaction.clear();
    m_sampler.start(20);
    click("ComDLN");
    m_sampler.stop();
}

QByteArray DownloadDriver::direct(const char* converter, const std::string& input) const
{
    const std::string expected = path("expected.out");
    QFile::remove(QString::fromStdString(expected));
    ProgramState state;
    state.OutputFileMode = 2;
    RecordingInteraction ui;
    ConversionContext context = session->options.context(state, ui, settings().StCombCoord0);
    FindConverter(converter)->run(context, input, expected);
    return ReadBytes(expected);
}

const RecordingInteraction::Message* DownloadDriver::lastMessage() const
{
    return folder.interaction.messages.empty() ? nullptr : &folder.interaction.messages.back();
}

} // namespace tavrelo::test
