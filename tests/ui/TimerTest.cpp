// Window timers: several ids, stopping, and ticks that keep coming while a
// modal box or dialog runs its own loop.
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <gtest/gtest.h>

#include "TestDialogs.h"
#include "UiTestSupport.h"

using namespace uitest;

namespace {

long CountOf(const std::vector<UINT_PTR>& ticks, UINT_PTR id)
{
    return std::count(ticks.begin(), ticks.end(), id);
}

}  // namespace

TEST(TimerTest, EachTimerReachesOnTimerWithItsIdUntilKilled)
{
    TestDialog dlg;
    RunModal(dlg, [&] {
        EXPECT_NE(dlg.SetTimer(0, 10, nullptr), 0u);
        EXPECT_EQ(dlg.SetTimer(7, 10, nullptr), 7u);
        ASSERT_TRUE(SpinUntil([&] { return CountOf(dlg.ticks, 0) >= 2 && CountOf(dlg.ticks, 7) >= 2; }));

        EXPECT_TRUE(dlg.KillTimer(0));
        const long zeroTicks = CountOf(dlg.ticks, 0);
        // Timer 7 is the clock: several of its ticks pass with no tick of 0.
        const long sevenTicks = CountOf(dlg.ticks, 7);
        ASSERT_TRUE(SpinUntil([&] { return CountOf(dlg.ticks, 7) >= sevenTicks + 3; }));
        EXPECT_EQ(CountOf(dlg.ticks, 0), zeroTicks);
        EXPECT_FALSE(dlg.KillTimer(0));
        dlg.EndDialog(IDCANCEL);
    });
}

TEST(TimerTest, NoWindowNoTimer)
{
    TestDialog dlg;
    EXPECT_EQ(dlg.SetTimer(1, 40, nullptr), 0u);
    EXPECT_FALSE(dlg.KillTimer(1));
}

TEST(TimerTest, TimersDieWithTheWindow)
{
    TestDialog dlg;
    RunModal(dlg, [&] {
        dlg.SetTimer(3, 10, nullptr);
        dlg.EndDialog(IDCANCEL);
    });
    const std::size_t ticks = dlg.ticks.size();
    // Another window's timer as the clock.
    TestDialog other;
    RunModal(other, [&] {
        other.SetTimer(1, 10, nullptr);
        ASSERT_TRUE(SpinUntil([&] { return other.ticks.size() >= 3; }));
        other.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(dlg.ticks.size(), ticks);
}

TEST(TimerTest, NoTickReachesADialogAfterItEnded)
{
    // Two timers due together: the first one's tick ends the dialog, and the
    // second one's, already queued, must not reach OnTimer.
    int late = 0;
    for (int round = 0; round < 10; ++round) {
        TestDialog dlg;
        bool ended = false;
        dlg.onTimer = [&](UINT_PTR id) {
            if (ended) {
                ++late;
            } else if (id == 1) {
                ended = true;
                dlg.EndDialog(IDCANCEL);
            }
        };
        RunModal(dlg, [&] {
            dlg.SetTimer(1, 20, nullptr);
            dlg.SetTimer(2, 20, nullptr);
        });
    }
    EXPECT_EQ(late, 0);
}

TEST(TimerTest, TicksKeepComingWhileARealMessageBoxIsOpen)
{
    TestDialog dlg;
    std::size_t ticksWhileOpen = 0;
    RunModal(dlg, [&] {
        dlg.SetTimer(0, 10, nullptr);
        WhenReady([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr; },
                  [&] {
                      const std::size_t before = dlg.ticks.size();
                      WhenReady([&, before] { return dlg.ticks.size() >= before + 3; }, [&, before] {
                          ticksWhileOpen = dlg.ticks.size() - before;
                          auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                          box->button(QMessageBox::Ok)->click();
                      });
                  });
        dlg.MessageBox("text", "caption", MB_OK);
        dlg.EndDialog(IDCANCEL);
    });
    EXPECT_GE(ticksWhileOpen, 3u);
}

TEST(TimerTest, TicksKeepComingWhileAnotherDialogRuns)
{
    TestDialog owner;
    std::size_t ticksWhileOpen = 0;
    RunModal(owner, [&] {
        owner.SetTimer(5, 10, nullptr);
        TestDialog inner(kOkCancelDialog);
        // Only the inner dialog's own loop runs while the ticks are counted.
        RunModal(inner, [&] {
            const std::size_t before = owner.ticks.size();
            WhenReady([&, before] { return owner.ticks.size() >= before + 3; }, [&, before] {
                ticksWhileOpen = owner.ticks.size() - before;
                inner.EndDialog(IDCANCEL);
            });
        });
        owner.EndDialog(IDCANCEL);
    });
    EXPECT_GE(ticksWhileOpen, 3u);
}
