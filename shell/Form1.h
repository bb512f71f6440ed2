#pragma once

#include "AnimationState.h"
#include "Delay.h"
#include "FrameTable.h"

#include <QPixmap>
#include <QRegion>
#include <QWidget>
#include <array>
#include <functional>

class QLabel;
class Picture1;

// The one window. It owns the picture area, the 24 picture holders, the frame table and the
// animation state for the whole life of the program. When it first comes on screen it loads the
// frames and then runs the animation loop, which never returns: every event from then on is
// handled inside the loop's once-per-tick pass of event processing.
class Form1 : public QWidget {
    Q_OBJECT

  public:
    static constexpr int clientWidth = 277;
    static constexpr int clientHeight = 522;
    static inline const QString title = QStringLiteral("Vantrel  SpaceBar+-/*mouse,. ESC");

    // `endProgram` ends the process; tests give their own to see where the program ended.
    explicit Form1(std::function<void()> endProgram = defaultEnd);

    AnimationState state;

    Picture1* picture1() const { return picture1_; }

    // Fills the frame table and shows frame 0 at once; the events that arrive meanwhile are
    // handled after each further frame, so the window answers while it loads.
    void load();
    // One tick: carry out the waiting command, show the frame, pause, then handle the events.
    void runTick();
    // Start values, then ticks forever.
    [[noreturn]] void animate();
    // Ends the program at once, with nothing saved.
    void quit();

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    static void defaultEnd();
    void beginOnce();
    void keyPressed(char16_t code);

    std::function<void()> endProgram_;
    Picture1* picture1_;
    std::array<QLabel*, frameCount> images_{};
    FrameTable<QPixmap> frames;
    // changes_[from * frameCount + to]: the pixels where frame `to` differs from frame `from`.
    std::array<QRegion, frameCount * frameCount> changes_{};
    int shown_ = -1; // the frame on screen, once load() has shown one
    Delay delay_;
    bool begun_ = false;
};
