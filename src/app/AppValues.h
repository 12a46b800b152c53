#pragma once

#include <QColor>
#include <QObject>
#include <QUrl>

class UserDefaults;

// The application-wide values: colours, artwork and fonts.
class AppValues : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QColor appBlackColor READ appBlackColor CONSTANT)
    Q_PROPERTY(QColor appWhiteColor READ appWhiteColor CONSTANT)
    Q_PROPERTY(QColor appGreenColor READ appGreenColor CONSTANT)
    Q_PROPERTY(QUrl placeholderImage READ placeholderImage CONSTANT)
    Q_PROPERTY(QUrl selectImage READ selectImage CONSTANT)
    Q_PROPERTY(QUrl unselectImage READ unselectImage CONSTANT)
    Q_PROPERTY(QUrl pdfIconImage READ pdfIconImage CONSTANT)
    Q_PROPERTY(QString titleFontFamily READ titleFontFamily CONSTANT)
  public:
    explicit AppValues(UserDefaults& defaults, QObject* parent = nullptr);

    [[nodiscard]] static QColor appBlackColor() { return Qt::black; }
    [[nodiscard]] static QColor appWhiteColor() { return Qt::white; }
    [[nodiscard]] static QColor appGreenColor()
    {
        return QColor::fromRgbF(0, 182 / 255., 87 / 255.);
    }
    [[nodiscard]] static QUrl asset(const QString& name);
    [[nodiscard]] static QUrl placeholderImage() { return asset(QStringLiteral("placeholder")); }
    [[nodiscard]] static QUrl selectImage() { return asset(QStringLiteral("select")); }
    [[nodiscard]] static QUrl unselectImage() { return asset(QStringLiteral("unselect")); }
    [[nodiscard]] static QUrl pdfIconImage() { return asset(QStringLiteral("pdf")); }
    // "Product Sans Bold" when installed, else the default font's family.
    [[nodiscard]] QString titleFontFamily() const;

    [[nodiscard]] UserDefaults& userDefaults() const { return m_defaults; }

  private:
    UserDefaults& m_defaults;
};
