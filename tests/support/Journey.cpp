#include "Journey.h"

#include "Fixtures.h"
#include "app/AppDelegate.h"
#include "ui/Screen.h"

#include <QDir>

#include <QTest>
#include <algorithm>

Journey::Journey()
{
    AppDelegate(platform.services).didFinishLaunching();
    scene = std::make_unique<SceneDelegate>(platform.services);
    scene->willConnect();
}

QQuickItem* Journey::currentPage() const
{
    auto* stack = window()->findChild<QQuickItem*>(QStringLiteral("stack"));
    return stack ? qvariant_cast<QQuickItem*>(stack->property("currentItem")) : nullptr;
}

QQuickItem* Journey::find(const QString& objectName) const
{
    if (QQuickItem* page = currentPage())
        if (auto* item = page->findChild<QQuickItem*>(objectName))
            return item;
    return window()->findChild<QQuickItem*>(objectName);
}

bool Journey::waitForScreen(const QString& name, int timeoutMs) const
{
    return fixtures::waitFor(
        [&] {
            Screen* top = platform.navigator->top();
            QQuickItem* page = currentPage();
            auto* stack = window()->findChild<QQuickItem*>(QStringLiteral("stack"));
            // Taps land where they should only once the page has finished sliding in.
            return top && top->screenName() == name && page &&
                   page->property("screen").value<QObject*>() == static_cast<QObject*>(top) &&
                   stack && !stack->property("busy").toBool();
        },
        timeoutMs);
}

bool Journey::waitForSettled(int timeoutMs) const
{
    return fixtures::waitFor(
        [&] {
            auto* stack = window()->findChild<QQuickItem*>(QStringLiteral("stack"));
            QQuickItem* page = currentPage();
            if (!stack || stack->property("busy").toBool() || !page || page->x() != 0)
                return false;
            const auto items = window()->contentItem()->findChildren<QQuickItem*>();
            return std::none_of(items.begin(), items.end(), [](QQuickItem* item) {
                return item->inherits("QQuickImageBase") &&
                       item->property("status").toInt() == 2; // Image.Loading
            });
        },
        timeoutMs);
}

void Journey::tap(QQuickItem* item) const
{
    const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    QTest::mouseClick(window(), Qt::LeftButton, Qt::NoModifier, centre.toPoint());
}

void Journey::screenshot(const QString& name) const
{
    const QString dir = qEnvironmentVariable("QUIRE_SCREENSHOTS");
    if (dir.isEmpty())
        return;
    waitForSettled();
    QDir().mkpath(dir);
    window()->grabWindow().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}
