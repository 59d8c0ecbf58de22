#include "platform/Form.h"
#include "tests/support/TestEnvironment.h"

#include <QPushButton>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A window that records its handlers; it handles the key it is told to and leaves the others
// to the base, which handles none.
class RecordingForm : public TForm {
public:
    void FormShow() override { ++Shows; }
    bool FormKeyDown(int key) override
    {
        Keys.push_back(key);
        return key == HandledKey || TForm::FormKeyDown(key);
    }

    int Shows = 0;
    std::vector<int> Keys;
    int HandledKey = 0;
};

} // namespace

TEST(Form, EveryShowByTheProgramRunsFormShowAndHandledKeysStayWithTheWindow)
{
    TestApp();
    RecordingForm w;
    auto* defaultButton = new QPushButton(QStringLiteral("OK"), &w);
    defaultButton->setDefault(true);
    int clicks = 0;
    QObject::connect(defaultButton, &QPushButton::clicked, [&clicks] { ++clicks; });
    w.show();
    EXPECT_EQ(w.Shows, 1);
    w.hide();
    w.show();
    EXPECT_EQ(w.Shows, 2);

    // Restoring a minimised window comes as a spontaneous show: what the user has in the
    // window stays as it is.
    w.setWindowState(Qt::WindowMinimized);
    w.setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.Shows, 2);

    // Handled, Enter presses no default button and Esc does not close; unhandled, they do.
    for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
        w.HandledKey = key;
        PressKey(w, key);
    }
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(w.isVisible());
    w.HandledKey = 0;
    PressKey(w, Qt::Key_Return);
    EXPECT_EQ(clicks, 1);
    PressKey(w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Rejected);
    EXPECT_EQ(w.Keys, (std::vector<int>{Qt::Key_Return, Qt::Key_Escape, Qt::Key_Return, Qt::Key_Escape}));
}

TEST(Form, InstancePointerFollowsTheWindowItWasMadeFor)
{
    TestApp();
    RecordingForm a;
    RecordingForm b;
    RecordingForm* global = nullptr;
    // A later window takes the pointer over; the earlier one going leaves it alone.
    auto first = std::make_unique<FormInstance<RecordingForm>>(global, &a);
    EXPECT_EQ(global, &a);
    {
        FormInstance<RecordingForm> second(global, &b);
        first.reset();
        EXPECT_EQ(global, &b);
    }
    EXPECT_EQ(global, nullptr);
}
