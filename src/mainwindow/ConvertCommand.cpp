// The Receive page's two commands: Download (from the instrument, then the dispatch of
// the received data) and Convert (a file on disk).
#include "mainwindow/ReceivePage.h"

#include "app/FileHelpers.h"
#include "app/ProgramState.h"
#include "app/SettingsModel.h"
#include "app/gui/QtText.h"
#include "conversion/OptionStores.h"
#include "link/InstrumentDownload.h"
#include "mainwindow/DialogHost.h"
#include "mainwindow/F_DatTr.h"
#include "platform/FileSystem.h"
#include "platform/TextRules.h"
#include "platform/UserInteraction.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

namespace tavrelo {

namespace {

constexpr int kRaw = 0;
constexpr int kCoordinates = 1;
constexpr int kOther = 2;
constexpr int kRawToCoordinates = 7;     // instrument raw data to "Coordinate file"
constexpr int kRawFileToCoordinates = 4; // raw-data file to "Coordinate file"

constexpr const char* kNoSourceText = "Please select the file to convert first!";

// What comes before a download, by kind and instrument list position.
enum class Before { SdrBox, CalcDialog };
struct DownloadStep {
    int kind;
    int position;
    Before step;
    int caption, format, data; // message numbers of the SDR instruction box
};

const DownloadStep kBeforeDownload[] = {
    {kRaw, 3, Before::SdrBox, 31, 33, 34},
    {kRaw, 4, Before::SdrBox, 37, 36, 34},
    {kRaw, kRawToCoordinates, Before::CalcDialog, 0, 0, 0},
    {kCoordinates, 3, Before::SdrBox, 31, 33, 41},
    {kCoordinates, 4, Before::SdrBox, 37, 36, 41},
};

// A window disabled for as long as this lives: enabled again on every way out,
// running out of memory while the received data is kept included.
class DisabledWhile {
public:
    explicit DisabledWhile(QWidget* widget) : m_widget(widget) { m_widget->setEnabled(false); }
    ~DisabledWhile()
    {
        if (m_widget)
            m_widget->setEnabled(true);
    }
    DisabledWhile(const DisabledWhile&) = delete;
    DisabledWhile& operator=(const DisabledWhile&) = delete;

private:
    QPointer<QWidget> m_widget;
};

// Why the target cannot be the file the command reads: what that file is and where it
// lies, the target as the user typed it when it names the file another way ("..", a
// link), and the table's "Please specify other name.".
std::string TargetIsInputText(const std::string& target, const std::string& what, const std::string& file,
                              const std::string& otherName)
{
    std::string text = "The target file is " + what + " " + file;
    if (target != file)
        text += " (the target " + target + " leads to it)";
    return text + ": it cannot be written while it is read.\r\n" + otherName;
}

bool SamePath(const std::string& a, const std::string& b)
{
    const std::string left = CanonicalPath(a);
    const std::string right = CanonicalPath(b);
#ifdef _WIN32
    return ToQt(left).compare(ToQt(right), Qt::CaseInsensitive) == 0;
#else
    return left == right;
#endif
}

} // namespace

ConversionContext ReceivePage::conversionContext()
{
    ConversionContext context = m_options.context(m_state, m_ui, m_model.settings.StCombCoord0);
    const SettingsModel& model = m_model;
    context.message = [&model](int number) { return model.message(number); };
    return context;
}

DispatchRequest ReceivePage::dispatchRequest(const std::string& input) const
{
    DispatchRequest request;
    request.OpReceive = selectedKind();
    request.formatIndex = m_comboDataFormat->currentIndex();
    request.input = input;
    request.target = targetName();
    request.rawCopy = !fileSource() && !m_checkOrigDF->isHidden() && m_checkOrigDF->isChecked();
    request.sourceCaption = sourceCaption();
    return request;
}

// Every command starts from cleared hand-over words, so no word left by an earlier
// dialog or question can stand for this command's request or result. Then the name
// test of a target typed since it was last tested; false ends the command. A name
// refused as one that cannot be created ends it too: its box is all the user needs,
// not a second one asking for the name it just emptied.
bool ReceivePage::startCommand()
{
    m_state.TransferStatus.clear();
    m_state.DialogAnswer.clear();
    if (!m_fileNameChanged)
        return true;
    const bool usable = TestSaveAsFile();
    m_fileNameChanged = false;
    if (usable && m_state.DialogAnswer != "Cancel")
        return true;
    invalidateResult();
    return false;
}

bool ReceivePage::targetIsSource() const
{
    const std::string target = targetName();
    const std::string caption = sourceCaption();
    if (target.empty() || caption.empty() || caption[0] == '<')
        return false;
    return SamePath(target, m_model.settings.JobPath + caption);
}

void ReceivePage::endCommand(bool coordinateCalculation)
{
    if (m_state.TransferStatus == "OK") {
        m_comViewFile->setEnabled(true);
        if (coordinateCalculation && m_state.MapSwitch)
            emit coordinateOutputReady();
    }
    m_fileNameChanged = true; // the target now exists: the next command asks again
}

void ReceivePage::ComConv_Click()
{
    if (m_state.SetupMode) {
        m_download->showForSetup(window(), downloadFormatText()); // only for its texts
        return;
    }
    if (targetIsSource()) {
        m_ui.message(TargetIsInputText(targetName(), "the source file", m_model.settings.JobPath + sourceCaption(),
                                       m_model.message(13)),
                     MessageButtons::Ok, MessageIcon::Critical, m_model.message(6));
        m_txFileName->clear();
        return;
    }
    // Without a source the dispatch would end without a word; the user is told
    // before any question about the target is asked.
    const std::string caption = sourceCaption();
    if (caption.empty() || caption[0] == '<') {
        m_ui.message(kNoSourceText, MessageButtons::Ok, MessageIcon::Exclamation, m_model.message(6));
        return;
    }
    if (!startCommand())
        return;
    if (targetName().empty()) {
        m_ui.message(m_model.message(38), MessageButtons::Ok, MessageIcon::Critical, m_model.message(11));
        return;
    }
    ConversionContext context = conversionContext();
    ConvertFiles(context, *m_dialogs, dispatchRequest(m_model.settings.JobPath + sourceCaption()));
    endCommand(selectedKind() == kRaw && m_comboDataFormat->currentIndex() == kRawFileToCoordinates);
}

// The instruction box or the calculation dialog the format needs before the data
// comes. However the calculation dialog is closed the download goes on: the
// calculation then runs with the options stored last.
void ReceivePage::showFormatDialog()
{
    const int kind = selectedKind();
    const int position = m_comboDataFormat->currentIndex();
    for (const DownloadStep& step : kBeforeDownload) {
        if (step.kind != kind || step.position != position)
            continue;
        if (step.step == Before::CalcDialog) {
            m_dialogs->open(OptionDialog::Calc, true);
            QCoreApplication::processEvents();
            continue;
        }
        m_seams.showSdrInstruction(window(), {m_model.message(step.caption),
                                              {m_model.message(32), m_model.message(step.format),
                                               m_model.message(step.data)},
                                              m_model.message(35)});
    }
}

// The target is checked by the converters' own rules before the instrument is asked
// for anything: refused after the download, the data would have nowhere to go.
bool ReceivePage::downloadTargetUsable(const std::string& tempFile)
{
    ConversionContext context = conversionContext();
    return !RefuseReceivedTarget(context, dispatchRequest(tempFile));
}

// What the download window shows as the data format: the caption of "Other" when
// that kind is chosen, else the chosen format.
std::string ReceivePage::downloadFormatText() const
{
    if (selectedKind() == kOther)
        return FromQt(m_opReceive[kOther]->text());
    return FromQt(m_comboDataFormat->currentText());
}

void ReceivePage::ComDLN_Click()
{
    if (m_state.SetupMode) {
        m_download->showForSetup(window(), downloadFormatText()); // only for its texts
        return;
    }
    // The received data is first kept in the temporary file: as the target it would
    // be emptied by the download and deleted by the copy that stores it.
    const std::string tempFile = JoinPath(m_state.AppPath, kTempFileName);
    if (!targetName().empty() && SamePath(targetName(), tempFile)) {
        m_ui.message(TargetIsInputText(targetName(), "the program's temporary file, which receives the data,",
                                       tempFile, m_model.message(13)),
                     MessageButtons::Ok, MessageIcon::Critical, m_model.message(6));
        m_txFileName->clear();
        return;
    }
    if (!startCommand())
        return;
    if (targetName().empty()) {
        m_ui.message(m_model.message(40), MessageButtons::Ok, MessageIcon::Critical, m_model.message(6));
        m_txFileName->setFocus();
        return;
    }
    if (!downloadTargetUsable(tempFile))
        return;
    // The port before any instruction or dialog: a port that cannot be opened is
    // chosen on the Settings page.
    if (!m_seams.openPort(window())) {
        emit portNotOpened();
        return;
    }
    showFormatDialog();
    // Only a download that really starts empties the temporary file: until then it
    // keeps whatever an earlier command left in it.
    OpenedFile temp;
    OpenFileMode(tempFile, OpenForOutput, temp, m_model, m_state, m_ui);
    temp = OpenedFile();
    if (!m_state.DialogAnswer.empty()) {
        m_state.DialogAnswer.clear();
        m_download->unload(); // the port opened for it is closed again
        return;
    }
    // What the store keeps of a completed download is said in the download's own box.
    DispatchRequest request = dispatchRequest(tempFile);
    const CompletionStep completion = [this, &request](bool lastLineUnended) {
        ConversionContext context = conversionContext();
        return KeepAtDownloadEnd(context, request, lastLineUnended);
    };
    bool received = false;
    {
        const DisabledWhile mainWindowDisabled(window());
        received = m_seams.receiveFromInstrument(window(), tempFile, downloadFormatText(), targetName(), completion);
    }
    if (!received)
        return; // nothing to store; the name stays tested
    ConversionContext context = conversionContext();
    ConvertReceivedFile(context, *m_dialogs, request);
    endCommand(selectedKind() == kRaw && m_comboDataFormat->currentIndex() == kRawToCoordinates);
}

} // namespace tavrelo
