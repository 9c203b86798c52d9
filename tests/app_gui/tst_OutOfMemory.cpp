// A window command that runs out of memory ends with a message, and the program goes
// on: the application object stops the failure where the click is delivered.
#include "app/gui/TavreloApplication.h"

#include <QPushButton>
#include <QTest>

#include <new>

using namespace tavrelo;

class OutOfMemoryTest : public QObject {
    Q_OBJECT
private slots:
    void aCommandThatRunsOutOfMemoryEndsWithAMessage();
};

void OutOfMemoryTest::aCommandThatRunsOutOfMemoryEndsWithAMessage()
{
    auto* app = static_cast<TavreloApplication*>(QApplication::instance());
    RecordingInteraction ui;
    app->setInteraction(&ui, "Error");
    QPushButton command("Convert");
    bool fail = true;
    int finished = 0;
    QObject::connect(&command, &QPushButton::clicked, [&] {
        if (fail) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            throw std::bad_alloc();
        }
        ++finished;
    });
    command.show();
    QVERIFY(QTest::qWaitForWindowExposed(&command));
    QTest::mouseClick(&command, Qt::LeftButton);
    QCOMPARE(ui.messages.size(), size_t(1));
    QVERIFY(ui.messages[0].text.rfind("Out of memory", 0) == 0);
    QCOMPARE(ui.messages[0].icon, MessageIcon::Critical);
    QCOMPARE(ui.messages[0].title, std::string("Error"));
    QVERIFY(!QApplication::overrideCursor());
    // The program goes on: the next command runs.
    fail = false;
    QTest::mouseClick(&command, Qt::LeftButton);
    QCOMPARE(finished, 1);
    app->setInteraction(nullptr, "");
}

int main(int argc, char* argv[])
{
    TavreloApplication app(argc, argv);
    OutOfMemoryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_OutOfMemory.moc"
