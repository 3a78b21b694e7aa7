#include "app/UAbout.h"

#include "app/services/UButtonLook.h"
#include "app/services/UComon.h"
#include "app/services/UWindowParts.h"
#include "app/VersionCheck.h"
#include "controls/buttons/LbButton.h"
#include "framework/Dialogs.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>

TFAbout* FAbout = nullptr;

namespace {

constexpr int kWidth = 425;
constexpr int kHeight = 148;

// The maker's logo, drawn here so the program carries no picture file.
QPixmap makerLogo()
{
    QPixmap logo(96, 96);
    logo.fill(Qt::transparent);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x1F, 0x4E, 0x8C));
    p.setPen(Qt::NoPen);
    p.drawEllipse(4, 4, 88, 88);
    p.setPen(Qt::white);
    QFont font = Window_Font(30, true);
    p.setFont(font);
    p.drawText(QRect(0, 0, 96, 96), Qt::AlignCenter, QStringLiteral("O"));
    return logo;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y, bool bold = false)
{
    auto* l = new fw::TLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setFont(Window_Font(8, bold));
    l->move(x, y);
    return l;
}

} // namespace

TFAbout::TFAbout(QWidget* owner) : fw::TForm(owner)
{
    setObjectName(QStringLiteral("FAbout"));
    SetColor(Window_Color);
    setFont(Window_Font());
    SetCaption(QStringLiteral("About"));

    Image2 = new TClickLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(12, 12, 96, 96);
    Image2->OnClick = [this] { Label4Click(); };

    Label1 = label(this, "Label1", QStringLiteral("Software Strandelor "), 124, 12, true);
    Label2 = label(this, "Label2", QString(), 124, 30, true);
    Label6 = label(this, "Label6", QStringLiteral("Software Code : "), 124, 54);
    Label9 = label(this, "Label9", QString(), 240, 54, true);
    Label3 = label(this, "Label3", QStringLiteral("Version :"), 124, 70);
    Label10 = label(this, "Label10", QString(), 240, 70, true);
    Label8 = label(this, "Label8", QStringLiteral("Document Code :"), 124, 86);
    Label12 = label(this, "Label12", QString(), 240, 86, true);

    Label4 = new TClickLabel(this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setText(Maker_Web_Address());
    Label4->setFont(Window_Font(8, true));
    QPalette blue = Label4->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 0xCC));
    Label4->setPalette(blue);
    Label4->setGeometry(124, 114, 180, 18);
    Label4->OnClick = [this] { Label4Click(); };

    LbButton1 = New_Button(this, "LbButton1", QRect(kWidth - 90, kHeight - 40, 80, 28), TButtonGlyph::Ok);
    LbButton1->SetCaption(QStringLiteral("OK"));
    LbButton1->SetModalResult(fw::mrOk);
}

void TFAbout::FormCreate()
{
    SetBorderStyle(fw::TFormBorderStyle::bsSingle);
    SetPosition(fw::TPosition::poScreenCenter);
    SetClientSize(kWidth, kHeight);
}

void TFAbout::FormShow()
{
    // Drawn when first shown: most runs never open the about box.
    if (Image2->pixmap().isNull())
        Image2->setPixmap(makerLogo());
    Image2->show();
    Label4->show();
    Label2->setText(SW_Description_Init);
    Label9->setText(QStringLiteral("SW585-K317"));
    Label10->setText(SW_Version);
    Label12->setText(QStringLiteral("MN585-K317"));
    // Sized as shown, like the picture: measuring the texts loads fonts that
    // a run which never opens this box does not need.
    for (QLabel* l : {Label1, Label2, Label6, Label9, Label3, Label10, Label8, Label12})
        l->adjustSize();
    SetClientSize(kWidth, kHeight);
}

void TFAbout::Label4Click()
{
    fw::OpenUrl(Home_Page_URL());
}
