#include "app/UOpenConf.h"

#include "app/services/UComon.h"
#include "app/services/ULanguage.h"
#include "app/services/UWindowParts.h"
#include "controls/buttons/LbButton.h"
#include "framework/SysUtils.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>

TFOpenConf* FOpenConf = nullptr;

namespace {

constexpr int kWidth = 377;
constexpr int kHeight = 351;

} // namespace

TFOpenConf::TFOpenConf(QWidget* owner) : fw::TForm(owner)
{
    setObjectName(QStringLiteral("FOpenConf"));
    const TTitlePanel title = Begin_Window(this, kWidth);
    L_SW_Code = title.L_SW_Code;
    L_SW_Desc = title.L_SW_Desc;

    Label1 = new fw::TLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(16, 76, kWidth - 32, 16);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(16, 94, kWidth - 32, kHeight - 94 - 48);
    connect(ListBox1, &QListWidget::itemClicked, this, [this] { ListBox1Click(); });
    connect(ListBox1, &QListWidget::currentRowChanged, this, [this] { ListBox1Click(); });

    const TButtonPanel buttons = Make_Button_Panel(this, kHeight - 40, kWidth);
    Btn_OK = buttons.Btn_OK;
    Btn_Cancel = buttons.Btn_Cancel;
    Btn_OK->SetModalResult(fw::mrOk);
}

void TFOpenConf::FormCreate()
{
    Place_Window(this, L_SW_Code, kWidth, kHeight);
    Set_Lang();
}

void TFOpenConf::Set_Lang()
{
    SetCaption(Lang_Text(200));
    L_SW_Desc->setText(Lang_Text(201));
    Label1->setText(Lang_Text(202));
    Btn_OK->SetCaption(Lang_Text(203));
    Btn_Cancel->SetCaption(Lang_Text(204));
    ListBox1->setToolTip(Lang_Text(205));
    Btn_OK->SetHint(Lang_Text(206));
    Btn_Cancel->SetHint(Lang_Text(207));
}

void TFOpenConf::Load_Existing_Configuration()
{
    // A link could lead the project outside PROJECTS; hidden folders are not
    // projects.
    const QDir projects(Path_Projects);
    SL = projects.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Unsorted);
}

int TFOpenConf::Search_Open_Conf(const QString& name) const
{
    // The folder of that very name first: with "p1" and "P1" both present,
    // "p1" open must not preselect "P1". Only then a name that differs in
    // the case of a to z, as the project names were always compared.
    const qsizetype exact = SL.indexOf(name);
    if (exact >= 0)
        return int(exact);
    for (int i = 0; i < SL.size(); ++i)
        if (fw::SameText(SL.at(i), name))
            return i;
    return -1;
}

void TFOpenConf::FormShow()
{
    Load_Existing_Configuration();
    const QSignalBlocker block(ListBox1);
    ListBox1->clear();
    ListBox1->addItems(SL);

    QString current;
    const QString prefix = Path_Projects + QLatin1Char('/');
    if (!Path_Project.isEmpty() && Path_Project.startsWith(prefix))
        current = Path_Project.mid(prefix.size());

    int index = Search_Open_Conf(current);
    if (index < 0 && !SL.isEmpty())
        index = 0;
    if (index >= 0) {
        ListBox1->setCurrentRow(index);
        Name_Conf = SL.at(index);
    } else {
        // Nothing to choose: a name from an earlier showing must not be opened.
        Name_Conf.clear();
    }
}

void TFOpenConf::ListBox1Click()
{
    const int row = ListBox1->currentRow();
    if (row >= 0 && row < ListBox1->count())
        Name_Conf = ListBox1->item(row)->text();
}
