#pragma once

#include <QObject>
#include <QString>

class Dispatcher;

// The one app-wide progress overlay: busy, success and info states over a touch-blocking mask.
class ProgressOverlay : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int state READ state NOTIFY changed)
    Q_PROPERTY(QString status READ status NOTIFY changed)
    Q_PROPERTY(bool visible READ visible NOTIFY changed)
    Q_PROPERTY(bool blocksTouches READ blocksTouches NOTIFY changed)
  public:
    enum State
    {
        Hidden,
        Busy,
        Success,
        Info
    };
    Q_ENUM(State)

    explicit ProgressOverlay(Dispatcher& dispatcher, QObject* parent = nullptr);

    // Launch defaults: dark style, gradient mask, minimum time success and info stay up.
    void setDefaultStyle(int style) { m_style = style; }
    void setDefaultMaskType(int mask) { m_mask = mask; }
    void setMinimumDismissTimeInterval(double seconds) { m_minimumDismiss = seconds; }
    [[nodiscard]] int defaultStyle() const { return m_style; }
    [[nodiscard]] int defaultMaskType() const { return m_mask; }
    [[nodiscard]] double minimumDismissTimeInterval() const { return m_minimumDismiss; }

    // Each of these may be called from any thread and replaces what the overlay shows.
    void show(const QString& status = {});
    void showSuccess(const QString& status);
    void showInfo(const QString& status);
    void dismiss();

    [[nodiscard]] State state() const { return m_state; }
    [[nodiscard]] QString status() const { return m_status; }
    [[nodiscard]] bool visible() const { return m_state != Hidden; }
    [[nodiscard]] bool blocksTouches() const { return visible() && m_mask >= 2; }

  signals:
    void changed();

  private:
    void apply(State state, const QString& status);

    Dispatcher& m_dispatcher;
    State m_state = Hidden;
    QString m_status;
    int m_style = 0;
    int m_mask = 1;
    double m_minimumDismiss = 5.0;
    quint64 m_generation = 0;
};
