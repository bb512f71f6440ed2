#pragma once

#include <QPixmap>
#include <QPointF>
#include <QWidget>

// The picture area: shows the current frame unscaled at its top-left corner and receives every
// key press and mouse event of the program. It is taller than the window, so only its upper part
// is visible; pointer positions are reported in its own user scale.
class Picture1 : public QWidget {
    Q_OBJECT

  public:
    static constexpr int pixelWidth = 277;
    static constexpr int pixelHeight = 768;
    static constexpr float scaleWidth = 14.882797f;
    static constexpr float scaleHeight = 29.84375f;

    explicit Picture1(QWidget* parent);

    // Makes `frame` the picture and puts it on screen now, not at the next event pass.
    void showFrame(const QPixmap& frame);
    // The same, putting on screen only `changed`: it must hold every pixel where `frame` differs
    // from the picture shown so far. Nothing outside it is drawn or sent to the X server.
    void showFrame(const QPixmap& frame, const QRegion& changed);
    const QPixmap& picture() const { return picture_; }

    // A position in pixels of this area, in its user scale (single precision).
    static QPointF toUserScale(QPointF pixels);

  signals:
    void characterTyped(char16_t code);
    void pointerMoved(float x, float y);
    void clicked();
    void doubleClicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    QPixmap picture_;
    bool leftPressed_ = false;
};
