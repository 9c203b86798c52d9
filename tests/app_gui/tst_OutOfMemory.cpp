// A window command that runs out of memory, or meets a number too large for the
// number rules, ends with a message, and the program goes on: the application object
// stops the failure where the click is delivered.
#include "app/gui/TavreloApplication.h"
#include "platform/TextRules.h"

#include <QPushButton>
#include <QTest>

#include <functional>
#include <new>

using namespace tavrelo;

using Failure = std::function<void()>;
Q_DECLARE_METATYPE(Failure)

class OutOfMemoryTest : public QObject {
    Q_OBJECT
private slots:
    void aCommandThatFailsSoEndsWithAMessage_data();
    void aCommandThatFailsSoEndsWithAMessage();
};

void OutOfMemoryTest::aCommandThatFailsSoEndsWithAMessage_data()
{
    QTest::addColumn<Failure>("fail");
    QTest::addColumn<QString>("opens");
    QTest::newRow("out of memory") << Failure([] { throw std::bad_alloc(); }) << "Out of memory: ";
    QTest::newRow("a 16-bit number of 32768") << Failure([] { (void)CInt(Val("32768")); }) << "Overflow: ";
    QTest::newRow("a 32-bit number of 1e10") << Failure([] { (void)CLng(Val("1e10")); }) << "Overflow: ";
}

void OutOfMemoryTest::aCommandThatFailsSoEndsWithAMessage()
{
    QFETCH(Failure, fail);
    QFETCH(QString, opens);
    auto* app = static_cast<TavreloApplication*>(QApplication::instance());
    RecordingInteraction ui;
    app->setInteraction(&ui, "Error");
    QPushButton command("Convert");
    bool failing = true;
    int finished = 0;
    QObject::connect(&command, &QPushButton::clicked, [&] {
        if (failing) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            fail();
        }
        ++finished;
    });
    command.show();
    QVERIFY(QTest::qWaitForWindowExposed(&command));
    QTest::mouseClick(&command, Qt::LeftButton);
    QCOMPARE(ui.messages.size(), size_t(1));
    QVERIFY2(ui.messages[0].text.rfind(opens.toStdString(), 0) == 0, ui.messages[0].text.c_str());
    QCOMPARE(ui.messages[0].icon, MessageIcon::Critical);
    QCOMPARE(ui.messages[0].title, std::string("Error"));
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(finished, 0);
    // The program goes on: the next command runs.
    failing = false;
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
