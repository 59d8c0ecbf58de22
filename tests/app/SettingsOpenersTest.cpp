// The task tree items and the main window's button that open the configuration and service
// windows, each under its gate.
#include "app/MenuGlowne.h"
#include "core/AppState.h"
#include "platform/Modal.h"
#include "tables/DodatkoweUstawienia.h"
#include "tables/JednostkiTowarowe.h"
#include "tables/KlawiszeSzybkieSprzedazy.h"
#include "tables/ProgramowanieKlawiszyFunkcyjnych.h"
#include "tables/ProgramowanieNIP.h"
#include "tables/ProgramowanieNaglowka.h"
#include "tables/ProgramowanieStopki.h"
#include "tables/ProgramowanieTablicyHalo.h"
#include "tables/ProgramowanieTablicyWiFi_Mail.h"
#include "tables/ProgramowanieWalutyEwidencyjnej.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"

#include <QApplication>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <gtest/gtest.h>

TEST(SettingsOpeners, TreeItemsAndButton11OpenTheirWindowsUnderTheirGates)
{
    TestEnvironment env(false);
    ScriptedPrompts prompts;
    QApplication::setQuitOnLastWindowClosed(false);
    TMenuGlowne w;
    QList<QDialog*> shown;
    SetModalRunner([&](QDialog& d) {
        shown << &d;
        return int(QDialog::Rejected);
    });
    struct Item {
        int tab, index;
        std::function<QDialog*()> window;
        uint8_t refusedMode, allowedMode;
    };
    const Item items[] = {
        {0, 9, [] { return static_cast<QDialog*>(ProgramowanieTablicyHalo); }, 0, 1},
        {0, 10, [] { return static_cast<QDialog*>(ProgramowanieWalutyEwidencyjnej); }, 0, 1},
        {2, 10, [] { return static_cast<QDialog*>(ProgramowanieNaglowka); }, 1, 2},
        {2, 12, [] { return static_cast<QDialog*>(ProgramowanieStopki); }, 1, 2},
        {2, 13, [] { return static_cast<QDialog*>(ProgramowanieNIP); }, 1, 2},
        {2, 15, [] { return static_cast<QDialog*>(DodatkoweUstawienia); }, 1, 2},
        {2, 16, [] { return static_cast<QDialog*>(ProgramowanieKlawiszyFunkcyjnych); }, 1, 2},
        {2, 17, [] { return static_cast<QDialog*>(KlawiszeSzybkieSprzedazy); }, 1, 2},
        {2, 18, [] { return static_cast<QDialog*>(JednostkiTowarowe); }, 1, 2},
    };
    for (const Item& item : items) {
        SCOPED_TRACE(TreeTasks(item.tab)[std::size_t(item.index)].Text.toStdString());
        w.PageControl1->setCurrentIndex(item.tab);
        QTreeWidget* tree = item.tab == 0 ? w.ProgramowanieBazyTree : w.TreeView3;
        tree->setCurrentItem(tree->topLevelItem(item.index));
        shown.clear();
        App.WorkMode = item.refusedMode;
        w.OpenTreeItemForm();
        EXPECT_TRUE(shown.isEmpty());
        App.WorkMode = item.allowedMode;
        w.OpenTreeItemForm();
        ASSERT_EQ(shown.size(), 1);
        EXPECT_EQ(shown[0], item.window());
    }
    // The Wi-Fi and e-mail button opens its window whatever the work mode.
    shown.clear();
    App.WorkMode = 0;
    w.Button11->click();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0], ProgramowanieTablicyWiFi_Mail);
    SetModalRunner({});
}
