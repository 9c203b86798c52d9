#pragma once
// Drives the Receive page as a user would: a started program in its own folder, a
// work folder for sources and targets, the file dialogs answered by the test, and the
// modal windows (option dialogs, the question, the finished window) answered in turn.
#include "helper_Session.h"
#include "mainwindow/ReceivePage.h"

#include <QObject>
#include <QStringList>
#include <QElapsedTimer>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>
#include <utility>

namespace tavrelo::test {

// Answers modal windows as they come up: each expected window by its objectName with
// the named button, or "close" for its close box. A window not expected is closed and
// recorded as "unexpected <name>", so a test never hangs on it.
class ModalAnswerer : public QObject {
public:
    // session: the holder of the running session, read whenever a window comes up, so
    // that a session started anew (the program restarted to read its file again) is
    // the one read, never the one it replaced.
    explicit ModalAnswerer(const std::unique_ptr<ProgramSession>* session = nullptr);
    void expect(const char* window, const char* button) { m_queue.emplace_back(window, button); }
    bool done() const { return m_queue.empty(); }

    QStringList answered;      // "window button" in the order answered
    QStringList statusAtShow;  // TransferStatus when each window came up
    // Looks at (or fills in) each expected window before its button is pressed.
    std::function<void(QWidget*)> beforeAnswer;

private:
    void poll();

    const std::unique_ptr<ProgramSession>* m_session;
    std::deque<std::pair<QString, QString>> m_queue;
    QTimer m_timer;
    QWidget* m_stranger = nullptr;
    QElapsedTimer m_strangerSince;
};

struct ReceiveDriver {
    ProgramFolder folder;
    QTemporaryDir work;
    std::unique_ptr<ProgramSession> session;

    // The program folder and the work folder named as given ("Tavrelo øst"), or not.
    explicit ReceiveDriver(const QString& programFolder = QString(), const QString& workFolder = QString());
    ReceiveSeams& seams() const { return session->mainWindow->receivePage()->seams(); }
    ProgramSettings& settings() const { return session->model.settings; }
    // A path in the work folder as the program holds it (Windows-1252).
    std::string path(const QString& name) const;
    // A fixture of tests/mainwindow/data copied into the work folder.
    std::string copyFixture(const char* name, const QString& as = QString()) const;

    // The items added at the end of a list section of the settings file, and the
    // program started again to read them.
    void addListItems(const char* section, const QByteArray& items);
    // Source, kind and format as a user clicks them (file: a file on disk).
    void choose(bool file, int kind, int position) const;
    // The source-file button, with the open dialog answering path.
    void chooseSource(const std::string& path) const;
    void typeTarget(const QString& text) const;
    void click(const char* button) const;
    QString target() const;
    bool viewEnabled() const;
};

// The file that a path as the program holds it names.
QByteArray ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const QByteArray& bytes);

} // namespace tavrelo::test
