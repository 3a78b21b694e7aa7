#include "app/AppTestFixture.h"
#include "app/UBoot.h"
#include "app/services/UComon.h"
#include "app/services/ULanguage.h"
#include "app/UpdaterFile.h"
#include "controls/buttons/LbButton.h"
#include "framework/Dialogs.h"
#include "framework/Icmp.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Answers each echo request by the time since the first one.
class FakeEcho : public fw::IEchoClient {
public:
    std::function<fw::EchoResult(qint64 elapsedMs)> answer;
    std::function<void()> duringRequest;
    QStringList addresses;
    QList<QByteArray> payloads;

    fw::EchoResult Echo(const QString& address, const QByteArray& payload) override
    {
        if (!clock.isValid())
            clock.start();
        addresses << address;
        payloads << payload;
        if (duringRequest)
            duringRequest();
        return answer(clock.elapsed());
    }

private:
    QElapsedTimer clock;
};

fw::EchoResult reply() { return {fw::EchoStatus::Reply, 1024, 1}; }

// No reply: the real client waits its whole receive time-out.
fw::EchoResult timeout()
{
    QTest::qWait(TFBoot::Ping_Timeout_Ms);
    return {fw::EchoStatus::Timeout, 0, 0};
}

// Names of the visible controls in Tab order, starting at first.
QString tabChain(QWidget* first)
{
    QStringList names;
    QWidget* w = first;
    do {
        if (w->isVisible() && (w->focusPolicy() & Qt::TabFocus) && !w->objectName().isEmpty())
            names << w->objectName();
        w = w->nextInFocusChain();
    } while (w != first);
    return names.join(' ');
}

class Boot : public apptest::ProgramFolder {
protected:
    void SetUp() override
    {
        ProgramFolder::SetUp();
        openProject(QStringLiteral("Hall"));
        Update_IP_Address = Default_IP_Address;
        Update_Option = 0;
        Update_Read_Back = true;
        boot = std::make_unique<TFBoot>();
        boot->Create();
    }
    void TearDown() override
    {
        boot.reset();
        ProgramFolder::TearDown();
    }

    void setAddress(const QString& a, const QString& b, const QString& c, const QString& d)
    {
        boot->E_IP(1)->setText(a);
        boot->E_IP(2)->setText(b);
        boot->E_IP(3)->setText(c);
        boot->E_IP(4)->setText(d);
    }

    std::unique_ptr<TFBoot> boot;
};

TEST_F(Boot, LayoutAndTextsFollowTheUpdatePath)
{
    struct Case {
        int formType;
        int clientHeight;
        QWidget* (TFBoot::*second)() const;   // the panel under the address or port panel
        const char* caption;
        const char* description;
        const char* tabChain;   // the shown controls Tab visits, from the first one
    };
    const Case cases[] = {
        {1, 230, &TFBoot::P_IP_Address, "Update Device by Ethernet (UDP)", "Update Device Using the Ethernet Port",
         "E_IP1 E_IP2 E_IP3 E_IP4 CB_Update_Options CB_Update_Option_Read_Back Btn_Cancel Btn_Update"},
        {0, 232, &TFBoot::P_Serial, "Update Device by Serial", "Update Device Using the Serial Port",
         "CB_COM_Port Btn_COM_List CB_Update_Options CB_Update_Option_Read_Back Btn_Cancel Btn_Update"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.formType);
        boot->Form_Type = c.formType;
        boot->Show();
        EXPECT_EQ(boot->ClientWidth(), 449);
        EXPECT_EQ(boot->ClientHeight(), c.clientHeight);
        QWidget* body = (boot.get()->*c.second)();
        EXPECT_TRUE(body->isVisible());
        EXPECT_EQ(body->y(), 69);
        EXPECT_TRUE(boot->P_Options()->isVisible());
        EXPECT_EQ(boot->P_Options()->y(), 69 + body->height());
        EXPECT_EQ(boot->P_Button()->y(), c.clientHeight - 40);
        EXPECT_FALSE(boot->P_Eth_Search()->isVisible());
        EXPECT_NE(boot->P_IP_Address()->isVisible(), boot->P_Serial()->isVisible());
        EXPECT_EQ(boot->Caption(), QLatin1String(c.caption));
        EXPECT_EQ(boot->L_SW_Desc()->text(), QLatin1String(c.description));
        EXPECT_EQ(boot->L_SW_Code()->text(), SW_Code);
        EXPECT_EQ(boot->CB_Update_Options()->count(), 3);
        EXPECT_EQ(boot->CB_Update_Options()->itemText(0), QStringLiteral("Firmware + Configuration"));
        EXPECT_EQ(boot->Btn_Update()->Caption(), QStringLiteral("Execute Update Firmware"));
        EXPECT_EQ(boot->Btn_Update()->Hint(), QStringLiteral("Start the update of Device"));
        EXPECT_EQ(tabChain(c.formType == 1 ? boot->E_IP(1) : static_cast<QWidget*>(boot->CB_COM_Port())),
                  QLatin1String(c.tabChain));
        boot->Hide();
    }

    // Any other path shows no body panel and keeps the texts it had.
    boot->Form_Type = 7;
    boot->Show();
    EXPECT_FALSE(boot->P_IP_Address()->isVisible());
    EXPECT_FALSE(boot->P_Serial()->isVisible());
    EXPECT_FALSE(boot->P_Options()->isVisible());
    EXPECT_EQ(boot->Caption(), QStringLiteral("Update Device by Serial"));
}

// The window takes its height for the update path while it is being shown;
// the first showing is centred on that height as every later one is.
TEST_F(Boot, EveryShowingIsCentredOnTheScreen)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (int showing = 1; showing <= 2; ++showing) {
        SCOPED_TRACE(showing);
        boot->Form_Type = TFBoot::Form_Type_Ethernet;
        boot->Show();
        const QRect frame = boot->frameGeometry();
        EXPECT_EQ(boot->ClientHeight(), 230);
        EXPECT_LE(std::abs(frame.center().y() - screen.center().y()), 1);
        EXPECT_LE(std::abs(frame.center().x() - screen.center().x()), 1);
        boot->Hide();
    }
}

TEST_F(Boot, ShowingRestoresTheLastAddressAndOptions)
{
    struct Case {
        const char* remembered;
        const char* shown;
    };
    const Case cases[] = {
        {"10.0.7.21", "10.0.7.21"},
        {" 10 . 1 . 2 . 3 ", "10.1.2.3"},
        {"10.1.2", "9.9.9.9"},        // not four octets: the edits keep what they held
        {"10.1.2.256", "9.9.9.9"},
        {"", "9.9.9.9"},
    };
    boot->Form_Type = TFBoot::Form_Type_Ethernet;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.remembered);
        setAddress("9", "9", "9", "9");
        Update_IP_Address = QLatin1String(c.remembered);
        Update_Option = 2;
        Update_Read_Back = false;
        boot->Show();
        const QString shown = boot->E_IP(1)->text() + '.' + boot->E_IP(2)->text() + '.' + boot->E_IP(3)->text()
                              + '.' + boot->E_IP(4)->text();
        EXPECT_EQ(shown, QLatin1String(c.shown));
        EXPECT_EQ(boot->CB_Update_Options()->currentIndex(), 2);
        EXPECT_FALSE(boot->CB_Update_Option_Read_Back()->isChecked());
        boot->Hide();
    }
}

TEST_F(Boot, DotMovesToTheNextOctetAndIsNeverTyped)
{
    boot->Form_Type = TFBoot::Form_Type_Ethernet;
    boot->Show();
    setAddress("", "", "", "");
    boot->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(boot.get()));
    ASSERT_EQ(QApplication::focusWidget(), boot->E_IP(1));   // where showing puts it
    QTest::keyClicks(boot->E_IP(1), QStringLiteral("192."));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("168."));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("2."));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("205."));
    EXPECT_EQ(QApplication::focusWidget(), boot->E_IP(4));
    EXPECT_EQ(boot->E_IP(1)->text(), QStringLiteral("192"));
    EXPECT_EQ(boot->E_IP(2)->text(), QStringLiteral("168"));
    EXPECT_EQ(boot->E_IP(3)->text(), QStringLiteral("2"));
    EXPECT_EQ(boot->E_IP(4)->text(), QStringLiteral("205"));
}

TEST_F(Boot, DeviceThatAnswersPassesAfterTwoReplies)
{
    FakeEcho echo;
    echo.answer = [](qint64) { return reply(); };
    boot->SetEchoClient(&echo);
    setAddress("10", "0", "0", "9");
    EXPECT_TRUE(boot->Send_Ping());
    EXPECT_EQ(boot->ping_res, TFBoot::Ping_Good);
    EXPECT_EQ(echo.addresses, QStringList({"10.0.0.9", "10.0.0.9"}));
    EXPECT_EQ(echo.payloads.value(0), QByteArray("10.0.0.9"));
}

TEST_F(Boot, ReplyWithoutDataIsNoAnswer)
{
    FakeEcho echo;
    echo.answer = [](qint64) { return fw::EchoResult{fw::EchoStatus::Reply, 0, 1}; };
    boot->PingReply(echo.answer(0));
    EXPECT_EQ(boot->ping_res, TFBoot::Ping_Timeout);
    boot->PingReply(reply());
    EXPECT_EQ(boot->ping_res, TFBoot::Ping_Good);
}

TEST_F(Boot, SilentDeviceIsNotFound)
{
    FakeEcho echo;
    echo.answer = [](qint64) { return timeout(); };
    boot->SetEchoClient(&echo);
    boot->Form_Type = TFBoot::Form_Type_Ethernet;
    setAddress("10", "0", "0", "9");
    QElapsedTimer clock;
    clock.start();
    boot->Btn_UpdateClick();
    const qint64 took = clock.elapsed();
    EXPECT_GE(took, TFBoot::Ping_Total_Ms);
    EXPECT_LT(took, TFBoot::Ping_Total_Ms + 1000);
    EXPECT_GE(echo.addresses.size(), 11);
    EXPECT_LE(echo.addresses.size(), 13);
    ASSERT_EQ(recorder.Calls().size(), 1u);
    EXPECT_EQ(recorder.Calls()[0].text, QStringLiteral("Device Not Found!"));
    EXPECT_EQ(recorder.Calls()[0].type, fw::mtWarning);
    EXPECT_EQ(recorder.Calls()[0].buttons, fw::mbOK);
    EXPECT_FALSE(QFile::exists(Path_SW + QStringLiteral("/Ethernet_Update.xml")));
    EXPECT_EQ(Update_IP_Address, Default_IP_Address);
}

TEST_F(Boot, OneReplyJustBeforeTheEndIsEnough)
{
    FakeEcho echo;
    echo.answer = [](qint64 ms) { return ms >= TFBoot::Ping_Total_Ms - 450 ? reply() : timeout(); };
    boot->SetEchoClient(&echo);
    setAddress("10", "0", "0", "9");
    EXPECT_TRUE(boot->Send_Ping());
}

TEST_F(Boot, UnusableAddressAsksToCheckIt)
{
    // The real client refuses these before anything is sent.
    const char* addresses[][4] = {{"192", "168", "0", "300"}, {"192", "168", "", "1"}, {"0x7f", "0", "0", "1"}};
    boot->Form_Type = TFBoot::Form_Type_Ethernet;
    for (const auto& a : addresses) {
        SCOPED_TRACE(a[3]);
        recorder.Clear();
        setAddress(a[0], a[1], a[2], a[3]);
        boot->Btn_UpdateClick();
        EXPECT_EQ(boot->ping_res, TFBoot::Ping_None);
        ASSERT_EQ(recorder.Calls().size(), 1u);
        EXPECT_EQ(recorder.Calls()[0].text, QStringLiteral("Error!!! Check the Ip Address"));
        EXPECT_EQ(recorder.Calls()[0].type, fw::mtError);
    }
}

TEST_F(Boot, LoopbackAnswers)
{
    if (fw::TEchoClient::AvailableSocketKind().isEmpty())
        GTEST_SKIP() << "this system allows no ICMP socket";
    setAddress("127", "0", "0", "1");
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(boot->Send_Ping());
    EXPECT_EQ(boot->ping_res, TFBoot::Ping_Good);
    EXPECT_LT(clock.elapsed(), 1000);
}

TEST_F(Boot, ExecuteAndCancelCannotBePressedDuringTheTest)
{
    FakeEcho echo;
    int nested = 0;
    bool closed = true;
    echo.answer = [](qint64) { return reply(); };
    echo.duringRequest = [&] {
        EXPECT_FALSE(boot->Btn_Update()->isEnabled());
        EXPECT_FALSE(boot->Btn_Cancel()->isEnabled());
        const int before = echo.addresses.size();
        boot->Btn_Update()->Click();
        boot->Btn_Cancel()->Click();
        nested += echo.addresses.size() - before;
        closed = boot->Close();
    };
    boot->SetEchoClient(&echo);
    boot->Form_Type = TFBoot::Form_Type_Ethernet;
    boot->Show();
    setAddress("10", "0", "0", "9");
    boot->Btn_UpdateClick();
    EXPECT_EQ(nested, 0);
    EXPECT_FALSE(closed);
    EXPECT_TRUE(boot->isVisible());
    EXPECT_TRUE(boot->Btn_Update()->isEnabled());
    EXPECT_TRUE(boot->Btn_Cancel()->isEnabled());
    EXPECT_FALSE(boot->Busy());
}

// A device that answers: the choices are remembered, the parameter file is
// written beside the program and the updater runs in the program folder,
// reading that file.
TEST_F(Boot, AnsweringDeviceWritesTheFileAndRunsTheUpdater)
{
    const QString updater = Path_SW + QStringLiteral("/Ethernet_Update.exe");
    ASSERT_TRUE(testsupport::writeFile(updater, "#!/bin/sh\npwd > ran_in.txt\ncat Ethernet_Update.xml > seen.xml\n"));
    QFile::setPermissions(updater, QFile::permissions(updater) | QFileDevice::ExeOwner);

    FakeEcho echo;
    echo.answer = [](qint64) { return reply(); };
    boot->SetEchoClient(&echo);
    boot->Form_Type = TFBoot::Form_Type_Ethernet;
    boot->Show();
    setAddress("10", "0", "0", "09");
    boot->CB_Update_Options()->setCurrentIndex(1);
    boot->CB_Update_Option_Read_Back()->setChecked(false);
    boot->Btn_UpdateClick();

    EXPECT_TRUE(recorder.Calls().empty());
    EXPECT_EQ(Update_IP_Address, QStringLiteral("10.0.0.09"));
    EXPECT_EQ(Update_Option, 1);
    EXPECT_FALSE(Update_Read_Back);
    TUpdater_Parameters p;
    p.IP_Address = QStringLiteral("10.0.0.09");
    p.Option = 1;
    p.Read_Back = false;
    p.Path_Master = Path_Master;
    p.Path_Project = Path_Project;
    const QByteArray expected = Updater_Parameter_Xml(p);
    EXPECT_EQ(testsupport::readFile(Path_SW + QStringLiteral("/Ethernet_Update.xml")), expected);
    EXPECT_EQ(testsupport::readFile(Path_SW + QStringLiteral("/seen.xml")), expected);
    EXPECT_EQ(QString::fromUtf8(testsupport::readFile(Path_SW + QStringLiteral("/ran_in.txt"))).trimmed(),
              QDir(Path_SW).canonicalPath());
    EXPECT_TRUE(boot->isVisible());

    // Shown again, the window offers what this run used.
    boot->Hide();
    setAddress("", "", "", "");
    boot->Show();
    EXPECT_EQ(boot->E_IP(4)->text(), QStringLiteral("09"));
    EXPECT_EQ(boot->CB_Update_Options()->currentIndex(), 1);
    EXPECT_FALSE(boot->CB_Update_Option_Read_Back()->isChecked());
}

TEST_F(Boot, ParameterFileThatCannotBeWrittenStopsTheUpdate)
{
    Set_Program_Paths(path(QStringLiteral("missing")));
    FakeEcho echo;
    echo.answer = [](qint64) { return reply(); };
    boot->SetEchoClient(&echo);
    boot->Form_Type = TFBoot::Form_Type_Ethernet;
    setAddress("10", "0", "0", "9");
    boot->Btn_UpdateClick();
    ASSERT_EQ(recorder.Calls().size(), 1u);
    EXPECT_EQ(recorder.Calls()[0].type, fw::mtError);
    EXPECT_NE(recorder.Calls()[0].text, QStringLiteral("Error!!! Check the Ip Address"));
}

TEST_F(Boot, SerialPathOnlyRemembersTheOptions)
{
    FakeEcho echo;
    echo.answer = [](qint64) { return reply(); };
    boot->SetEchoClient(&echo);
    boot->Form_Type = TFBoot::Form_Type_Serial;
    boot->Show();
    boot->CB_Update_Options()->setCurrentIndex(2);
    boot->CB_Update_Option_Read_Back()->setChecked(false);
    boot->Btn_UpdateClick();
    EXPECT_EQ(Update_Option, 2);
    EXPECT_FALSE(Update_Read_Back);
    EXPECT_TRUE(echo.addresses.isEmpty());
    EXPECT_FALSE(QFile::exists(Path_SW + QStringLiteral("/Ethernet_Update.xml")));
}

} // namespace
