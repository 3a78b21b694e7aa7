// Texts a user can edit (language files, folder names) that look like markup
// are shown as they stand: no layout of nested tables that never ends, no
// picture loaded from a file named in a text.
#include "app/AppTestFixture.h"
#include "app/UNew_Project.h"
#include "app/services/UWindowParts.h"
#include "app/UZizuzuzarizFirmWare.h"
#include "app/VersionCheck.h"
#include "controls/buttons/LbButton.h"

#include <QHelpEvent>
#include <QLabel>
#include <QTest>
#include <QToolTip>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A named pipe that notices any reader: opening it for reading would block
// the program for ever, so a watcher opens the writing end as soon as a
// reader waits, records that, and lets the reader go with an empty read.
class WatchedFifo {
public:
    explicit WatchedFifo(const QString& path) : m_path(QFile::encodeName(path))
    {
        m_made = ::mkfifo(m_path.constData(), 0600) == 0;
        m_watcher = std::thread([this] {
            while (!m_stop) {
                const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                if (fd >= 0) {
                    m_opened = true;
                    ::close(fd);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        });
    }
    ~WatchedFifo()
    {
        m_stop = true;
        m_watcher.join();
    }
    bool made() const { return m_made; }
    bool opened() const { return m_opened; }

private:
    QByteArray m_path;
    bool m_made = false;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_opened{false};
    std::thread m_watcher;
};

class MarkupTexts : public apptest::ProgramFolder {};

TEST_F(MarkupTexts, LanguageTextsThatLookLikeMarkupShowAsTheyStand)
{
    WatchedFifo fifo(path(QStringLiteral("pipe")));
    ASSERT_TRUE(fifo.made());
    const QString picture = QStringLiteral("<img src=\"%1\">").arg(path(QStringLiteral("pipe")));
    // Deep enough to overflow the stack of a rich-text layout.
    QString nested;
    for (int i = 0; i < 3000; ++i)
        nested += QStringLiteral("<table><tr><td>");
    nested += QStringLiteral("x");
    const QString bold = QStringLiteral("<b>New</b>");
    const QByteArray language = "STR0 = " + nested.toUtf8() + "\n"   // L_Begin
                                "STR9 = " + picture.toUtf8() + "\n"  // the configuration line
                                "STR12 = " + picture.toUtf8() + "\n" // hint of the Info button
                                "STR15 = " + bold.toUtf8() + "\n"    // caption of the New button
                                "STR101 = " + picture.toUtf8() + "\n";   // the New dialog's description
    ASSERT_TRUE(write(QStringLiteral("LANGUAGE/English.lng"), language));

    start();
    FZizuzuzarizFirmWare->Show();
    FZizuzuzarizFirmWare->grab();
    EXPECT_EQ(FZizuzuzarizFirmWare->L_Begin->text(), nested);
    EXPECT_EQ(FZizuzuzarizFirmWare->L_Name_Conf->text(), picture);
    EXPECT_EQ(FZizuzuzarizFirmWare->Btn_New->Caption(), bold);

    // The hint shows its text, escaped, not a picture.
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), FZizuzuzarizFirmWare->Btn_Info->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(FZizuzuzarizFirmWare->Btn_Info, &help);
    EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("&lt;img"))) << QToolTip::text().toStdString();
    QToolTip::hideText();

    apptest::withModal([] { FNew_Project->ShowModal(); }, [](fw::TForm& form) {
        form.grab();
        form.SetModalResult(fw::mrCancel);
    });
    EXPECT_EQ(FNew_Project->L_SW_Desc->text(), picture);

    // A link label's caption is the program's anchor around the text.
    TLinkLabel link;
    link.setText(Download_Anchor(picture));
    link.resize(400, 20);
    link.grab();

    QCoreApplication::processEvents();
    EXPECT_FALSE(fifo.opened());
}

// Every label of every window shows plain text; only link labels read markup.
TEST_F(MarkupTexts, EveryLabelOfEveryWindowIsPlainText)
{
    start();
    int labels = 0;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!qobject_cast<fw::TForm*>(top))
            continue;
        for (QLabel* label : top->findChildren<QLabel*>()) {
            if (qobject_cast<TLinkLabel*>(label))
                continue;
            ++labels;
            EXPECT_EQ(label->textFormat(), Qt::PlainText)
                << top->objectName().toStdString() << "." << label->objectName().toStdString();
        }
    }
    EXPECT_GT(labels, 50);
}

} // namespace
