// The real window's ticks with no pause, timed from inside. The program starts as it always does
// (QApplication, Form1, show; the first exposure loads the frames and starts the endless loop);
// a watcher on the picture area sees every frame put on screen, sets k < 0 on the first one so
// that no tick pauses, and takes the time of each tick as the time between two frames. After the
// ticks asked for it prints what it saw and ends the process, since the loop never returns.
//   tick_bench <ticks>    (under an X server: DISPLAY must be set)
// Prints: ticks, median_us (of one tick), ticks_per_s, rss_start_kb (after the first tick) and
// rss_end_kb, one `name=value` a line.
#include "BenchStats.h"
#include "Form1.h"
#include "Picture1.h"

#include <QApplication>
#include <QEvent>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

class TickWatch : public QObject {
  public:
    TickWatch(Form1& form, long ticks) : form_(form), ticks_(ticks) {
        // Only the last few thousand ticks are kept: enough for the median, and fixed in size, so
        // that the watcher itself does not grow while the memory is measured.
        times_.reserve(keptTicks);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && form_.state.updo == 1) {
            // A tick paints a frame other than the last one; any other paint is not a tick.
            const qint64 shown = form_.picture1()->picture().cacheKey();
            if (shown != lastShown_) {
                lastShown_ = shown;
                frameShown();
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    static constexpr std::size_t keptTicks = 10'000;

    void frameShown() {
        const Clock::time_point now = Clock::now();
        if (seen_ == 0) {
            form_.state.k = -1; // read by this same tick's pause, after the frame is shown
            rssStart_ = bench::residentKilobytes();
            first_ = now;
        } else {
            const double microseconds =
                std::chrono::duration<double, std::micro>(now - last_).count();
            if (times_.size() < keptTicks) {
                times_.push_back(microseconds);
            } else {
                times_[static_cast<std::size_t>(seen_) % keptTicks] = microseconds;
            }
        }
        last_ = now;
        if (seen_++ == ticks_) {
            report(now);
        }
    }

    [[noreturn]] void report(Clock::time_point now) {
        const double seconds = std::chrono::duration<double>(now - first_).count();
        std::printf("ticks=%ld\n", ticks_);
        std::printf("median_us=%.3f\n", bench::median(times_));
        std::printf("ticks_per_s=%.1f\n", static_cast<double>(ticks_) / seconds);
        std::printf("rss_start_kb=%ld\n", rssStart_);
        std::printf("rss_end_kb=%ld\n", bench::residentKilobytes());
        std::fflush(stdout);
        std::_Exit(0);
    }

    Form1& form_;
    const long ticks_;
    long seen_ = 0;
    qint64 lastShown_ = 0;
    long rssStart_ = 0;
    Clock::time_point first_;
    Clock::time_point last_;
    std::vector<double> times_;
};

} // namespace

int main(int argc, char** argv) {
    const long ticks = argc > 1 ? std::atol(argv[1]) : 10'000;
    if (ticks < 1) {
        std::fprintf(stderr, "usage: tick_bench <ticks>\n");
        return 2;
    }
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    Form1 form;
    TickWatch watch(form, ticks);
    form.picture1()->installEventFilter(&watch);
    form.show();
    return application.exec();
}
