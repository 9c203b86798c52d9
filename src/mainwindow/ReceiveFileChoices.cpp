// The two files of the Receive page: the source file on disk and the Save-as target,
// with the check of a target name before anything is written to it.
#include "mainwindow/ReceivePage.h"

#include "app/FileHelpers.h"
#include "app/ProgramState.h"
#include "app/SettingsModel.h"
#include "app/gui/F_Msg.h"
#include "app/gui/QtText.h"
#include "conversion/ConverterFiles.h"
#include "mainwindow/Controls.h"
#include "platform/FileSystem.h"
#include "platform/RunError.h"
#include "platform/TextRules.h"
#include "platform/UserInteraction.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace tavrelo {

namespace {

constexpr int kOther = 2;

// The save dialog's patterns by source (instrument, file), kind (raw, coordinates)
// and list position; a position past a row offers no filter.
const std::vector<const char*> kSavePatterns[2][2] = {
    {{"*.zvk", "*.kof", "*.asc", "*.sdr", "*.sdr", "*.yde", "*.yde", "*.asc", "*.odr", "*.cmt"},
     {"*.asc", "*.dxf", "*.kof", "*.sdr", "*.sdr"}},
    {{"*.kof", "*.asc", "*.yde", "*.yde", "*.asc", "*.odr", "*.cmt"}, {"*.dxf", "*.kof"}},
};

// Every file, whatever its name looks like.
QString AllFilesFilter(const SettingsModel& model)
{
    return FilterLabel(model.fileTypeMessage(5)) + QStringLiteral(" (*)");
}

} // namespace

std::string ReceivePage::targetName() const
{
    return Trim(FromQt(m_txFileName->text()));
}

std::string ReceivePage::sourceCaption() const
{
    return FromQt(m_comFileName->text());
}

void ReceivePage::invalidateResult()
{
    m_comViewFile->setEnabled(false);
    emit targetNameEdited();
}

void ReceivePage::TxFileName_KeyPress()
{
    (fileSource() ? m_comConv : m_comDLN)->setFocus();
}

bool ReceivePage::askAppendOrOverwrite()
{
    return AskAppendOrOverwrite(m_model, m_state, window()) != "Cancel";
}

int ReceivePage::checkTarget(const std::string& name)
{
    const int result = CheckFileName(name);
    // A folder, pipe or device is no file to write into, whatever its name; the box
    // says which it is.
    if (result == RunError::PathNotFound || result == RunError::PathFileAccess) {
        m_ui.message(m_model.message(12) + "\r\n" + TargetRefusalText(StripQuotes(name), result) + "\r\n" +
                         m_model.message(13),
                     MessageButtons::Ok, MessageIcon::Critical, m_model.message(11));
        return -1;
    }
    // A target that exists is asked about even when it cannot be read.
    return result == 0 || IsRegularFile(StripQuotes(name)) ? 1 : 0;
}

bool ReceivePage::TestSaveAsFile()
{
    std::string name;
    if (!AcceptPathFromQt(m_txFileName->text(), name, m_ui, m_model.message(11))) {
        m_txFileName->clear();
        return false;
    }
    name = Trim(name);
    if (name.empty())
        return true;
    const int target = checkTarget(name);
    if (target < 0) {
        m_txFileName->clear();
        return false;
    }
    m_state.DialogAnswer = "Overwite";
    m_state.OutputFileMode = 2; // a new target is written as new
    if (target == 1 && !askAppendOrOverwrite()) {
        m_txFileName->clear();
        m_txFileName->setFocus();
        return true;
    }
    if (m_txFileName->text() != ToQt(name))
        m_txFileName->setText(ToQt(name));
    const size_t separator = name.find_last_of(kPathSeparator);
    if (separator != std::string::npos && separator > 0)
        m_model.settings.SaveAsPath = name.substr(0, separator);
    return true;
}

const char* ReceivePage::savePattern() const
{
    const int kind = selectedKind();
    if (kind == kOther)
        return nullptr;
    const int position = m_comboDataFormat->currentIndex();
    const std::vector<const char*>& patterns = kSavePatterns[fileSource()][kind];
    if (position < 0 || static_cast<size_t>(position) >= patterns.size())
        return nullptr;
    return patterns[position];
}

QString ReceivePage::saveFilter() const
{
    if (selectedKind() == kOther)
        return AllFilesFilter(m_model);
    const char* pattern = savePattern();
    return pattern ? m_comboDataFormat->currentText() + QStringLiteral(" (%1)").arg(pattern) : QString();
}

void ReceivePage::ComSaveBrowse_Click()
{
    if (m_state.SetupMode)
        return;
    if (selectedKind() != kOther && m_comboDataFormat->currentIndex() < 0)
        return;
    m_txFileName->clear();
    const QString filter = saveFilter();
    std::string chosen;
    for (;;) {
        const QString answer = m_seams.saveFileName(window(), ToQt(m_model.settings.SaveAsPath), filter);
        if (!AcceptPathFromQt(answer, chosen, m_ui, m_model.message(11)))
            return;
        chosen = Trim(chosen);
        if (chosen.empty())
            return;
        if (!NameTaken(chosen)) // a file that exists keeps its name, and is asked about
            chosen = WithExtension(chosen, savePattern());
        const int target = checkTarget(chosen);
        if (target < 0)
            return;
        m_state.DialogAnswer = "Overwite";
        m_state.OutputFileMode = 2;
        if (target == 0 || askAppendOrOverwrite())
            break; // Cancel opens the dialog again
    }
    m_txFileName->setText(ToQt(chosen));
    const std::string folder = FolderOf(chosen);
    if (!folder.empty())
        m_model.settings.SaveAsPath = folder;
    m_fileNameChanged = false; // tested here; the commands do not test it again
}

void ReceivePage::ComFileName_Click()
{
    if (m_state.SetupMode)
        return;
    const QString raw = FilterLabel(m_model.fileTypeMessage(3)) + QStringLiteral(" (*.zvk *.dn? *.raw)");
    const QString coordinates = FilterLabel(m_model.fileTypeMessage(4)) + QStringLiteral(" (*.asc)");
    const QString filter = raw + ";;" + coordinates + ";;" + AllFilesFilter(m_model);
    const QString chosen = m_seams.openFileName(window(), ToQt(m_model.message(4)),
                                                ToQt(m_model.settings.JobPath), filter,
                                                m_opReceive[1]->isChecked() ? coordinates : raw);
    if (chosen.trimmed().isEmpty()) {
        invalidateResult();
        return;
    }
    std::string path;
    if (!AcceptPathFromQt(chosen, path, m_ui, m_model.message(4))) {
        invalidateResult();
        return;
    }
    path = Trim(path);
    if (!FileExists(path)) {
        m_ui.message(m_model.message(5), MessageButtons::Ok, MessageIcon::Critical, m_model.message(4));
        invalidateResult();
        return;
    }
    const QFileInfo file(ToQt(path));
    if (file.fileName() != m_comFileName->text()) {
        m_comFileName->setText(file.fileName());
        invalidateResult();
        m_txFileName->clear(); // a new source needs a new target name
    }
    // The chosen file's own folder, however its name recurs in the path.
    m_model.settings.JobPath = JoinPath(FromQt(QDir::toNativeSeparators(file.absolutePath())), std::string());
}

} // namespace tavrelo
