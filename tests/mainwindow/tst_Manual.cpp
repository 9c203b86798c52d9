// The user manual that the help window opens: the build puts it beside the program
// under the settings file's default manual name, as an RTF document, and every name
// of the screen that it writes in bold is a name that the program really shows (a
// window's title, a tab, a frame, a button, a box or a list item), and every window
// of the program is named in it. A named control stands in sight in its window as the
// window first shows at its design size, or the manual's sentence says when it
// appears or how to bring it into view.
#include "helper_Session.h"

#include "app/SettingsLayout.h"
#include "app/gui/F_Msg.h"
#include "app/gui/F_MsgCon.h"
#include "app/gui/QtText.h"
#include "dialogs/F_Dxf.h"
#include "dialogs/F_KOFStp.h"
#include "dialogs/F_Sdr.h"
#include "dialogs/F_SetCalcCoo.h"
#include "dialogs/F_UpCoo.h"
#include "dialogs/F_UsDeCo.h"
#include "link/F_DL.h"
#include "link/F_UL.h"
#include "map/F_InfoP.h"
#include "map/F_map.h"
#include "map/core/MapReports.h"
#include "mainwindow/EditorLaunch.h"
#include "mainwindow/F_EdSdF.h"
#include "mainwindow/F_Help.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>

using namespace tavrelo;
using namespace tavrelo::test;

namespace {

QString ManualPath()
{
    return QStringLiteral(TAVRELO_PROGRAM_DIR "/") + QString::fromLatin1(kDefaultHelpFileName);
}

// A name as the manual writes it: without the access-key mark and a closing colon.
QString Plain(QString text)
{
    text.remove(QLatin1Char('&'));
    text = text.simplified();
    if (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text;
}

// The text of an RTF group's body: escaped braces and backslashes, code-page bytes.
QString Unescaped(const QString& body)
{
    QString text;
    for (int i = 0; i < body.size(); ++i) {
        if (body[i] != QLatin1Char('\\')) {
            text += body[i];
        } else if (body.mid(i + 1, 1) == QLatin1String("'")) {
            text += QChar(body.mid(i + 2, 2).toInt(nullptr, 16));
            i += 3;
        } else {
            text += body.mid(i + 1, 1);
            ++i;
        }
    }
    return text;
}

// A name in bold as the manual writes it, and whether its sentence says when it appears
// or how to bring it into view ("appears", "into view"): such a name need not stand in
// its window at the window's first size and state.
struct Named {
    QString name;
    bool saysHowToShow = false;
};

// Every {\b ...} group of the document, with its sentence's marker. Each paragraph or
// list item is a line of its own; a sentence ends at a full stop and a blank.
std::vector<Named> BoldNames(const QString& rtf)
{
    std::vector<Named> names;
    static const QRegularExpression bold(QStringLiteral(R"(\{\\b ((?:[^{}\\]|\\[{}\\']|\\'[0-9a-f]{2})*)\})"));
    static const QRegularExpression sentenceEnd(QStringLiteral(R"(\.\s)"));
    static const QRegularExpression marker(QStringLiteral(R"(\bappears\b|\binto view\b)"));
    for (const QString& line : rtf.split(QStringLiteral("\r\n")))
        for (const QString& sentence : line.split(sentenceEnd))
            for (auto it = bold.globalMatch(sentence); it.hasNext();)
                names.push_back({Plain(Unescaped(it.next().captured(1))), sentence.contains(marker)});
    return names;
}

// A control the user sees: shown, and its whole rectangle inside each of its parents
// up to its window, so inside the window's visible area.
bool InSight(const QWidget* w, const QWidget* window)
{
    if (!w->isVisible())
        return false;
    const QRect own(w->mapTo(window, QPoint(0, 0)), w->size());
    for (const QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
        if (!QRect(p->mapTo(window, QPoint(0, 0)), p->size()).contains(own))
            return false;
    return w == window || window->rect().contains(own);
}

// A menu or tool command the user can reach: visible, on a bar in sight or in a menu
// that is reached so.
bool Reachable(const QAction* action, const QWidget* window)
{
    if (!action->isVisible())
        return false;
    for (const QObject* object : action->associatedObjects()) {
        if (const auto* menu = qobject_cast<const QMenu*>(object)) {
            if (Reachable(menu->menuAction(), window))
                return true;
        } else if (const auto* widget = qobject_cast<const QWidget*>(object); widget && InSight(widget, window)) {
            return true;
        }
    }
    return false;
}

// The names a window holds: its title and those of its controls, menus and tools;
// with inSight only those the user sees as the window stands.
void AddNames(QWidget* root, QSet<QString>& names, bool inSight)
{
    auto add = [&](const QString& text) {
        if (!Plain(text).isEmpty())
            names << Plain(text);
    };
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets) {
        if (w->isWindow())
            add(w->windowTitle());
        if (inSight && !InSight(w, root))
            continue;
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            add(button->text());
        else if (auto* label = qobject_cast<QLabel*>(w))
            add(label->text());
        else if (auto* frame = qobject_cast<QGroupBox*>(w))
            add(frame->title());
        else if (auto* combo = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < combo->count(); ++i)
                add(combo->itemText(i));
        else if (auto* tabs = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                add(tabs->tabText(i));
    }
    for (QAction* action : root->findChildren<QAction*>())
        if (!inSight || Reachable(action, root))
            add(action->text());
}

// The names a window shows at its design size, shown as the program shows it: each
// page of a tab control in turn.
void AddNamesInSight(QWidget* window, QSet<QString>& names)
{
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        qWarning("%s not exposed", qPrintable(window->objectName()));
    AddNames(window, names, true);
    for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
        const int current = tabs->currentIndex();
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            AddNames(window, names, true);
        }
        tabs->setCurrentIndex(current);
    }
    window->hide();
}

} // namespace

class ManualTest : public QObject {
    Q_OBJECT
private slots:
    void isAnRtfDocumentBesideTheProgram();
    void namesOnlyWhatTheProgramShowsAndEveryWindow();
};

void ManualTest::isAnRtfDocumentBesideTheProgram()
{
    QFile file(ManualPath());
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(ManualPath() + ": " + file.errorString()));
    const QByteArray rtf = file.readAll();
    QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
    int depth = 0;
    for (int i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\')
            ++i; // an escaped brace or backslash, or a control word
        else if (rtf[i] == '{')
            ++depth;
        else if (rtf[i] == '}')
            QVERIFY2(--depth > 0 || i == rtf.trimmed().size() - 1, "a group closes the document early");
    }
    QCOMPARE(depth, 0);
    for (const char c : rtf)
        QVERIFY2(static_cast<unsigned char>(c) < 128, "RTF text is 7-bit; other characters are escaped");
    // The manual covers what its readers come for.
    for (const char* topic : {"Starting the program", "Formats", "The coordinate calculation and its reductions",
                              "Serial port on Linux", "Settings file and setup mode",
                              "When a transfer fails: where the data goes"})
        QVERIFY2(rtf.contains(topic), topic);
}

void ManualTest::namesOnlyWhatTheProgramShowsAndEveryWindow()
{
    QFile file(ManualPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const std::vector<Named> named = BoldNames(QString::fromLatin1(file.readAll()));
    QVERIFY(!named.empty());

    ProgramFolder folder;
    CreateDefaultIni(folder);
    auto session = folder.start();
    SettingsModel& model = session->model;
    ProgramState& state = session->state;
    OptionStores& options = session->options;
    UserInteraction& ui = folder.interaction;

    // Every window of the program, made as the program makes it.
    std::vector<std::unique_ptr<QWidget>> windows;
    windows.emplace_back(new F_Help(model, state, ui, nullptr));
    windows.emplace_back(new F_DL(model, state, ui));
    windows.emplace_back(new F_UL(model, state, ui));
    windows.emplace_back(new F_KOFStp(model, state, ui, options.kof, KofJob{}));
    windows.emplace_back(new F_Dxf(model, state, ui, options.dxf));
    windows.emplace_back(new F_SetCalcCoo(model, state, options.calc, ui));
    windows.emplace_back(new F_UsDeCo(model, state, options.coordinateFields, ui));
    windows.emplace_back(new F_UpCoo(model, state, options.uploadFields, ui));
    windows.emplace_back(new F_Sdr(model, state, ui, options.sdr));
    windows.emplace_back(new F_EdSdF(model, state, ui, &OpenInEditor));
    windows.emplace_back(new F_map(state.Map, ui, [&] { return options.context(state, ui, 0); }));
    windows.emplace_back(new F_InfoP(PointInfo{}));
    windows.emplace_back(new F_MsgCon(model));
    auto* question = new F_Msg(model, state); // titled as the Receive tab asks it
    question->setWindowTitle(ToQt(model.message(6)));
    windows.emplace_back(question);

    // What the program has anywhere, and what the user sees of it as each window
    // first stands.
    QSet<QString> has;
    QSet<QString> inSight;
    AddNames(session->mainWindow.get(), has, false);
    AddNamesInSight(session->mainWindow.get(), inSight);
    for (const auto& window : windows) {
        AddNames(window.get(), has, false);
        AddNamesInSight(window.get(), inSight);
    }
    // The format and port lists, of which a combo box holds one at a time.
    for (const auto* list : {&model.RawFormatList, &model.CoordFormatList, &model.RawFormatFileList,
                             &model.CoordFormatFileList, &model.SendFormatList, &model.PortList})
        for (const std::string& item : *list) {
            has << Plain(QString::fromStdString(item));
            inSight << Plain(QString::fromStdString(item));
        }

    QStringList unknown;
    QStringList outOfSight;
    for (const Named& n : named) {
        if (!has.contains(n.name))
            unknown << n.name;
        else if (!n.saysHowToShow && !inSight.contains(n.name))
            outOfSight << n.name;
    }
    QVERIFY2(unknown.isEmpty(), qPrintable("named in the manual but not shown: " + unknown.join(" | ")));
    QVERIFY2(outOfSight.isEmpty(), qPrintable("named in the manual but not in sight in its window, and the sentence "
                                              "does not say when it appears or how to bring it into view: " +
                                              outOfSight.join(" | ")));

    QStringList unnamed;
    QSet<QString> inManual;
    for (const Named& n : named)
        inManual << n.name;
    for (QWidget* window : {static_cast<QWidget*>(session->mainWindow.get())})
        if (!inManual.contains(Plain(window->windowTitle())))
            unnamed << window->windowTitle();
    for (const auto& window : windows) {
        QList<QWidget*> all = window->findChildren<QWidget*>();
        all.prepend(window.get());
        for (QWidget* w : all)
            if (w->isWindow() && w->windowType() != Qt::Popup && !inManual.contains(Plain(w->windowTitle())))
                unnamed << w->windowTitle() + " (" + w->metaObject()->className() + " " + w->objectName() + ")";
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable("windows the manual does not name: " + unnamed.join(" | ")));
}

QTEST_MAIN(ManualTest)
#include "tst_Manual.moc"
