// The task tree items and the main window's button that open the configuration and service
// windows, each under its gate.
#include "app/MenuGlowne.h"
#include "core/AppState.h"
#include "platform/Modal.h"
#include "tables/ProgramowanieTablicyWiFi_Mail.h"
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
    // Tab, item, the window it opens; database items need a database, register items a link.
    const std::tuple<int, int, const char*> items[] = {
        {0, 9, "TProgramowanieTablicyHalo"},      {0, 10, "TProgramowanieWalutyEwidencyjnej"},
        {2, 10, "TProgramowanieNaglowka"},        {2, 12, "TProgramowanieStopki"},
        {2, 13, "TProgramowanieNIP"},             {2, 15, "TDodatkoweUstawienia"},
        {2, 16, "TProgramowanieKlawiszyFunkcyjnych"}, {2, 17, "TKlawiszeSzybkieSprzedazy"},
        {2, 18, "TJednostkiTowarowe"},
    };
    for (const auto& [tab, index, window] : items) {
        SCOPED_TRACE(TreeTasks(tab)[std::size_t(index)].Text.toStdString());
        w.PageControl1->setCurrentIndex(tab);
        QTreeWidget* tree = tab == 0 ? w.ProgramowanieBazyTree : w.TreeView3;
        tree->setCurrentItem(tree->topLevelItem(index));
        shown.clear();
        App.WorkMode = tab == 0 ? 0 : 1;
        w.OpenTreeItemForm();
        EXPECT_TRUE(shown.isEmpty());
        App.WorkMode = tab == 0 ? 1 : 2;
        w.OpenTreeItemForm();
        ASSERT_EQ(shown.size(), 1);
        EXPECT_STREQ(shown[0]->metaObject()->className(), window);
    }
    // The Wi-Fi and e-mail button opens its window whatever the work mode.
    shown.clear();
    App.WorkMode = 0;
    w.Button11->click();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0], ProgramowanieTablicyWiFi_Mail);
    SetModalRunner({});
}
