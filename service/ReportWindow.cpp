#include "service/ReportWindow.h"

#include "link/Link.h"
#include "link/UnreadReply.h"
#include "platform/Prompts.h"
#include "platform/Time.h"
#include "service/ReportLogic.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int PrintingWaitMs = 800;

} // namespace

TRadioGroup* NoYesGroup(const QString& caption, QWidget* parent)
{
    return new TRadioGroup(caption, {QStringLiteral("Nie"), QStringLiteral("Tak")}, parent, true);
}

// ---- RangeSelection ----

QRadioButton* RangeSelection::AddRow(QVBoxLayout* layout, QGroupBox* box, std::vector<QWidget*> inputs,
                                     bool alwaysEnabled)
{
    auto* row = new QHBoxLayout;
    auto* button = new QRadioButton(box->parentWidget());
    row->addWidget(button, 0, Qt::AlignTop);
    row->addWidget(box, 1);
    layout->addLayout(row);
    rows_.push_back(Row{button, box, std::move(inputs), alwaysEnabled});
    QObject::connect(button, &QRadioButton::clicked, box, [this] { Apply(); });
    return button;
}

void RangeSelection::Apply()
{
    for (const Row& row : rows_) {
        const bool on = row.Button->isChecked();
        if (!row.AlwaysEnabled)
            row.Box->setEnabled(on);
        for (QWidget* input : row.Inputs) {
            QPalette p = input->palette();
            // Midlight is the 3-D light face colour; Light is the highlight edge, white.
            p.setColor(QPalette::Base, on ? QColor(Qt::white) : input->palette().color(QPalette::Midlight));
            input->setPalette(p);
        }
    }
}

int RangeSelection::Checked() const
{
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].Button->isChecked())
            return int(i);
    return -1;
}

void RangeSelection::Check(int index)
{
    if (index >= 0 && std::size_t(index) < rows_.size())
        rows_[std::size_t(index)].Button->setChecked(true);
    Apply();
}

// ---- TReportWindow ----

TReportWindow::TReportWindow(const QString& caption, const QString& title, QWidget* parent) : TForm(parent)
{
    setWindowTitle(caption);
    Label1 = new QLabel(title, this);
    QFont f = Label1->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.2);
    Label1->setFont(f);
    Label1->setAlignment(Qt::AlignCenter);

    Button1 = new QPushButton(QStringLiteral("Wykonaj"), this);
    Button2 = new QPushButton(QStringLiteral("Anuluj"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {Button1, Button2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
        buttons->addWidget(b);
    }
    body_ = new QVBoxLayout;
    auto* main = new QVBoxLayout(this);
    main->addWidget(Label1);
    main->addLayout(body_, 1);
    main->addLayout(buttons);

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

void TReportWindow::Button2Click() { reject(); }

bool TReportWindow::FormKeyDown(int key)
{
    return EscEnterKey(
        key,
        [this] {
            if (escCloses_)
                reject();
        },
        [] {});
}

int TReportWindow::ReadReportReply()
{
    return ReceiveAckWaitingOutPrinting(PrintingWaitMs, ReceiveAckSerial);
}

// ---- TGoodsRangeReport ----

TGoodsRangeReport::TGoodsRangeReport(const QString& caption, const QString& title, QWidget* parent)
    : TReportWindow(caption, title, parent)
{
    auto* whole = new QGroupBox(QStringLiteral("Raport całej bazy"), this);
    auto* group = new QGroupBox(QStringLiteral("Raport grupy towarowej"), this);
    ComboBox1 = new QComboBox(group);
    for (int g = 1; g <= 20; ++g)
        ComboBox1->addItem(QString::number(g));
    auto* gl = new QHBoxLayout(group);
    gl->addWidget(ComboBox1);
    gl->addStretch(1);
    auto* plu = new QGroupBox(QStringLiteral("Raport według numerów PLU"), this);
    Edit1 = new QLineEdit(plu);
    Edit2 = new QLineEdit(plu);
    auto* pl = new QHBoxLayout(plu);
    for (auto [label, edit] : {std::pair{QStringLiteral("Od"), Edit1}, std::pair{QStringLiteral("Do"), Edit2}}) {
        edit->setMaxLength(4);
        edit->setFixedWidth(70);
        pl->addWidget(new QLabel(label, plu));
        pl->addWidget(edit);
    }
    pl->addStretch(1);
    whole->setMinimumHeight(40);

    RadioButton1 = Range.AddRow(Body(), whole, {}, true);
    RadioButton2 = Range.AddRow(Body(), group, {ComboBox1});
    RadioButton3 = Range.AddRow(Body(), plu, {Edit1, Edit2});
    ComboBox1->setCurrentIndex(0);
    Range.Check(0);
}

void TGoodsRangeReport::Button1Click()
{
    DrainInput();
    switch (Range.Checked()) {
    case 0:
        SendRange(1, 1, WholeBaseLastPlu);
        break;
    case 1:
        SendGroup(uint8_t(ComboBox1->currentIndex() + 1));
        break;
    case 2: {
        uint16_t first = 0, last = 0;
        if (const QString error = CheckGoodsRange(Edit1->text(), Edit2->text(), first, last); !error.isEmpty()) {
            ShowMessage(error);
            return;
        }
        SendRange(3, first, last);
        break;
    }
    default:
        return;
    }
    ReadReportReply();
}

// ---- TOptionsReport ----

TOptionsReport::TOptionsReport(const QString& caption, const QString& title, Builder builder, QWidget* parent,
                               const QString& zeroRecordsCaption)
    : TReportWindow(caption, title, parent), builder_(builder)
{
    RadioGroup1 = NoYesGroup(zeroRecordsCaption, this);
    CheckBox1 = new QCheckBox(QStringLiteral("Raport zerujący"), this);
    Body()->addWidget(RadioGroup1);
    Body()->addWidget(CheckBox1);
}

void TOptionsReport::Button1Click()
{
    DrainInput();
    builder_(Link.RegisterAddress, 1, uint8_t(RadioGroup1->ItemIndex()), CheckBox1->isChecked() ? 1 : 0);
    AwaitUnreadReply();
}

// ---- TPlainReport ----

TPlainReport::TPlainReport(const QString& caption, const QString& title, Builder builder, QWidget* parent)
    : TReportWindow(caption, title, parent), builder_(builder)
{
    Body()->addStretch(1);
}

void TPlainReport::Button1Click()
{
    DrainInput();
    builder_(Link.RegisterAddress, 1);
    AwaitUnreadReply();
}
