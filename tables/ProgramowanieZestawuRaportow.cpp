#include "tables/ProgramowanieZestawuRaportow.h"

#include "core/AppState.h"
#include "core/StatusHook.h"
#include "tables/SmallTableWidgets.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TProgramowanieZestawuRaportow* ProgramowanieZestawuRaportow = nullptr;

namespace {

const char* const ReportCaptions[ReportSetBlockSize] = {
    "Raport bazy z PTU niezerujący",      "Raport form płatności niezerujący", "Raport grup towarowych niezerujący",
    "Raport opakowań niezerujący",        "Raport pełny bazy PLU niezerujący", "Raport sprzedaży niezerujący",
    "Raport zmianowy kasjerów niezerujący", "Raport rabatów niezerujący",      "Raport PTU",
    "Raport kasy",                        "Raport klawiszy szybkich ",         "Raport sprzedaży zerujący",
    "Raport zmianowy kasjerów zerujący",  "Raport opakowań zerujący",          "Raport form płatności zerujący",
    "Raport grup towarowych zerujący",    "Raport rabatów zerujący",           "Raport dobowy",
    "Parametry rozkazu"};

constexpr int ChoiceCount = 3;

} // namespace

TProgramowanieZestawuRaportow::TProgramowanieZestawuRaportow(QWidget* parent)
    : TForm(parent), instance_(ProgramowanieZestawuRaportow, this)
{
    setWindowTitle(QStringLiteral("Programowanie zestawu raportow"));
    auto* heading = new QLabel(QStringLiteral("Programowanie zestawu raportów"), this);
    heading->setStyleSheet(QStringLiteral("font-size: 12pt; font-weight: bold;"));
    auto* lines = new QGridLayout;
    for (std::size_t i = 0; i < Lines.size(); ++i) {
        Lines[i] = new TRadioGroup(QString(),
                                   {QStringLiteral("Niezaprogramowany"), QStringLiteral("Pełny"),
                                    QStringLiteral("Rekordów niezerowych")},
                                   this);
        lines->addWidget(new QLabel(QString::fromUtf8(ReportCaptions[i]), this), int(i), 0);
        lines->addWidget(Lines[i], int(i), 1);
    }
    lines->setVerticalSpacing(0);
    Button2 = WindowButton(QStringLiteral("Wyslij"), this);
    Button1 = WindowButton(QStringLiteral("Anuluj"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button2);
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    auto* main = new QVBoxLayout(this);
    main->addWidget(heading);
    main->addLayout(lines);
    main->addLayout(buttons);
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button1, &QPushButton::clicked, this, [this] { reject(); });
}

void TProgramowanieZestawuRaportow::FormShow() { LoadReportSet(); }

void TProgramowanieZestawuRaportow::LoadReportSet()
{
    if (DatabaseUsable()) {
        Button2->setText(QStringLiteral("Zapisz"));
        if (const std::optional<ReportSet> stored = ReadReportSet())
            WorkingCopy = *stored;
        ReportSetToRadios();
    } else if (App.WorkMode == WorkModeRegister) {
        Button2->setText(QStringLiteral("Wyslij"));
        ReportSetToRadios();
    }
}

void TProgramowanieZestawuRaportow::ReportSetToRadios()
{
    for (std::size_t i = 0; i < Lines.size(); ++i)
        if (WorkingCopy[i] < ChoiceCount)
            Lines[i]->SetItemIndex(WorkingCopy[i]);
}

void TProgramowanieZestawuRaportow::ReportSetFromRadios()
{
    for (std::size_t i = 0; i < Lines.size(); ++i)
        WorkingCopy[i] = uint8_t(std::max(Lines[i]->ItemIndex(), 0));
}

void TProgramowanieZestawuRaportow::Button2Click()
{
    ReportSetFromRadios();
    if (!WriteReportSet(WorkingCopy)) {
        ShowFileClosed();
        return;
    }
    MarkDatabaseModified();
    RequestStatusRefresh();
}

bool TProgramowanieZestawuRaportow::FormKeyDown(int key)
{
    return EscEnterKey(key, [this] { reject(); }, [this] { Button2Click(); });
}
