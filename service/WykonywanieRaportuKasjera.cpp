#include "service/WykonywanieRaportuKasjera.h"

#include "link/Commands.h"
#include "link/Link.h"
#include "link/UnreadReply.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

TWykonywanieRaportuKasjera* WykonywanieRaportuKasjera = nullptr;

TWykonywanieRaportuKasjera::TWykonywanieRaportuKasjera(QWidget* parent)
    : TReportWindow(QStringLiteral("Wykonywanie raportu kasjera"), QStringLiteral("Wykonywanie raportu kasjera"),
                    parent),
      instance_(WykonywanieRaportuKasjera, this)
{
    ComboBox1 = new QComboBox(this);
    for (int c = 1; c <= 10; ++c)
        ComboBox1->addItem(QString::number(c));
    CheckBox1 = new QCheckBox(QStringLiteral("Raport zerujący"), this);
    CheckBox2 = new QCheckBox(QStringLiteral("Raport pełny"), this);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Wybierz kasjera:"), this));
    row->addWidget(ComboBox1);
    row->addStretch(1);
    Body()->addLayout(row);
    Body()->addWidget(CheckBox1);
    Body()->addWidget(CheckBox2);
}

void TWykonywanieRaportuKasjera::FormShow() { ComboBox1->setCurrentIndex(0); }

void TWykonywanieRaportuKasjera::Button1Click()
{
    DrainInput();
    RequestCashierReport(Link.RegisterAddress, SingleFrameNumber, uint8_t(ComboBox1->currentIndex() + 1),
                         CheckBox1->isChecked() ? 1 : 0, CheckBox2->isChecked() ? 1 : 0);
    AwaitUnreadReply();
}
