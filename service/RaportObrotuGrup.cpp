#include "service/RaportObrotuGrup.h"

#include "link/Commands.h"
#include "link/Link.h"
#include "link/UnreadReply.h"
#include "platform/Prompts.h"
#include "service/ReportLogic.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TRaportObrotuGrup* RaportObrotuGrup = nullptr;

namespace {

const QStringList MonthNames = {
    QStringLiteral("Styczeń"),  QStringLiteral("Luty"),        QStringLiteral("Marzec"),   QStringLiteral("Kwiecień"),
    QStringLiteral("Maj"),      QStringLiteral("Czerwiec"),    QStringLiteral("Lipiec"),   QStringLiteral("Sierpień"),
    QStringLiteral("Wrzesień"), QStringLiteral("Październik"), QStringLiteral("Listopad"), QStringLiteral("Grudzień"),
};

} // namespace

TRaportObrotuGrup::TRaportObrotuGrup(QWidget* parent, const QDate& today)
    : TReportWindow(QStringLiteral("Wykonywanie raportu obrotu grup towarowych"),
                    QStringLiteral("Raport obrotu grup towarowych"), parent),
      instance_(RaportObrotuGrup, this)
{
    SetEscCloses(false);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Miesiąc"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Rok"), this), 0, 2);
    int row = 1;
    for (auto [label, combo, year] : {std::tuple{QStringLiteral("Data początkowa:"), &ComboBox1, &MaskEdit1},
                                      std::tuple{QStringLiteral("Data końcowa:"), &ComboBox2, &MaskEdit2}}) {
        *combo = new QComboBox(this);
        (*combo)->addItems(MonthNames);
        (*combo)->setCurrentIndex(0);
        *year = new QLineEdit(this);
        (*year)->setInputMask(QStringLiteral("0000; "));
        (*year)->setFixedWidth(60);
        (*year)->setText(QString::number(today.year()));
        grid->addWidget(new QLabel(label, this), row, 0);
        grid->addWidget(*combo, row, 1);
        grid->addWidget(*year, row, 2);
        ++row;
    }
    Body()->addLayout(grid);
    CheckBox2 = new QCheckBox(QStringLiteral("Drukowanie rekordów zerowych"), this);
    Body()->addWidget(CheckBox2);
    Label8 = new QLabel(QStringLiteral("Rodzaj operacji"), this);
    ComboBox3 = new QComboBox(this);
    ComboBox3->addItems({QStringLiteral("Wydruk na kasie"), QStringLiteral("Przesłanie do komputera")});
    CheckBox1 = new QCheckBox(QStringLiteral("Raport pełny"), this);
    for (QWidget* w : std::initializer_list<QWidget*>{Label8, ComboBox3, CheckBox1})
        w->hide();
}

void TRaportObrotuGrup::Button1Click()
{
    uint16_t fromYear = 0, toYear = 0;
    for (auto [field, year] : {std::pair{MaskEdit1, &fromYear}, std::pair{MaskEdit2, &toYear}}) {
        if (const QString error = CheckYear(field->displayText(), *year); !error.isEmpty()) {
            ShowMessage(error);
            return;
        }
    }
    const uint32_t from = uint32_t(ComboBox1->currentIndex() + 1) * 65536u + fromYear;
    const uint32_t to = uint32_t(ComboBox2->currentIndex() + 1) * 65536u + toYear;
    DrainInput();
    RequestGroupTurnoverReport(Link.RegisterAddress, SingleFrameNumber, from, 0, 0, 0, to, 0, 0, 0, 1,
                               CheckBox2->isChecked());
    AwaitUnreadReply();
}
