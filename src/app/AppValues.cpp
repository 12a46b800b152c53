#include "AppValues.h"

#include <QFontDatabase>
#include <QGuiApplication>

AppValues::AppValues(UserDefaults& defaults, QObject* parent)
    : QObject(parent), m_defaults(defaults)
{
}

QUrl AppValues::asset(const QString& name)
{
    return QUrl(QStringLiteral("qrc:/qt/qml/Quire/qml/assets/%1.svg").arg(name));
}

QString AppValues::titleFontFamily() const
{
    const QString wanted = QStringLiteral("Product Sans");
    if (QFontDatabase::hasFamily(wanted))
        return wanted;
    return QGuiApplication::font().family();
}
