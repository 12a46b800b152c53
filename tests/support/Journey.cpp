// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Journey.h"

#include "Fixtures.h"
#include "PhotoFixtures.h"
#include "app/AppDelegate.h"
#include "platform/qt/FolderPhotoLibrary.h"
#include "ui/Screen.h"

#include <QAccessible>
#include <QDir>
#include <QMutex>
#include <QRegularExpression>
#include <QTest>
#include <QThreadPool>

#include <gtest/gtest.h>

#include <algorithm>

namespace {
QString accessibleName(QQuickItem* item)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(item);
    return iface ? iface->text(QAccessible::Name) : QString();
}

// Items a user operates: buttons and delegates, fields, choosers, sliders, and bare mouse areas
// (which speak through the item they cover). The overlay's progress bar counts as well.
bool isControl(const QQuickItem* item)
{
    static const char* const kinds[] = {
        "QQuickAbstractButton", "QQuickComboBox", "QQuickTextInput",   "QQuickTextEdit",
        "QQuickSlider",         "QQuickSpinBox",  "QQuickRangeSlider", "QQuickDial",
        "QQuickProgressBar",    "QQuickMouseArea"};
    return std::any_of(std::begin(kinds), std::end(kinds),
                       [item](const char* kind) { return item->inherits(kind); });
}

// Kept out of what a screen reader hears (Accessible.ignored), as hidden placeholders are.
bool ignored(const QQuickItem* item)
{
    const QObjectList& attached = item->children();
    return std::any_of(attached.begin(), attached.end(), [](const QObject* child) {
        return child->inherits("QQuickAccessibleAttached") && child->property("ignored").toBool();
    });
}

QString describe(const QQuickItem* item)
{
    QStringList path;
    for (const QQuickItem* at = item; at; at = at->parentItem())
        if (!at->objectName().isEmpty())
            path.prepend(at->objectName());
    return QStringLiteral("%1 at %2")
        .arg(QString::fromLatin1(item->metaObject()->className()), path.join(QLatin1Char('/')));
}

void collectUnnamed(QQuickItem* item, QStringList& unnamed)
{
    for (QQuickItem* child : item->childItems()) {
        if (!child->isVisible() || (isControl(child) && ignored(child)))
            continue;
        if (!isControl(child)) {
            collectUnnamed(child, unnamed);
            continue;
        }
        QQuickItem* speaker = child->inherits("QQuickMouseArea") ? item : child;
        if (accessibleName(speaker).isEmpty())
            unnamed << describe(child);
        // A control's inner parts (a spin box's text, a delegate's labels) are its own.
    }
}

QQuickItem* namedBelow(QQuickItem* root, const QString& name)
{
    for (QQuickItem* item : root->childItems()) {
        if (!item->isVisible())
            continue;
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(item);
        if (iface && iface->role() != QAccessible::StaticText &&
            iface->text(QAccessible::Name) == name && !ignored(item))
            return item;
        if (QQuickItem* inner = namedBelow(item, name))
            return inner;
    }
    return nullptr;
}
} // namespace

namespace {
QMutex warningsLock; // messages come from any thread
QStringList qmlWarnings;
QtMessageHandler previousHandler = nullptr;

void recordQmlWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    static const QRegularExpression inQml(QStringLiteral(R"(\.qml:\d+)"));
    if (type != QtDebugMsg && type != QtInfoMsg && message.contains(inQml)) {
        const QMutexLocker lock(&warningsLock);
        qmlWarnings << message;
    }
    if (previousHandler)
        previousHandler(type, context, message);
}
} // namespace

Journey::Journey()
{
    qmlWarnings.clear();
    previousHandler = qInstallMessageHandler(recordQmlWarnings);
    AppDelegate(platform.services).didFinishLaunching();
    scene = std::make_unique<SceneDelegate>(platform.services);
    scene->willConnect();
}

Journey::~Journey()
{
    // Work still running would outlive the window it reports to.
    fixtures::waitFor([&] { return !platform.overlay->visible(); });
    QThreadPool::globalInstance()->waitForDone();
    scene.reset();
    qInstallMessageHandler(previousHandler);
    previousHandler = nullptr;
    const QMutexLocker lock(&warningsLock);
    EXPECT_TRUE(qmlWarnings.isEmpty()) << qPrintable(qmlWarnings.join(QLatin1Char('\n')));
}

void Journey::usePhotoFolder()
{
    library = std::make_unique<FolderPhotoLibrary>(platform.services.locations.photoLibrary,
                                                   *platform.services.dispatcher);
    platform.services.photos = library.get();
}

bool Journey::addPhoto(int index, const QImage& image, int orientation) const
{
    return photofixtures::writePhoto(
        platform.services.locations.photoLibrary + QStringLiteral("/photo%1.jpg").arg(index), image,
        QDateTime::fromSecsSinceEpoch(1700000000 - index * 3600), orientation);
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
            const auto items = itemsBelow(window()->contentItem());
            return std::none_of(items.begin(), items.end(), [](QQuickItem* item) {
                return item->inherits("QQuickImageBase") &&
                       item->property("status").toInt() == 2; // Image.Loading
            });
        },
        timeoutMs);
}

QList<QQuickItem*> Journey::itemsBelow(QQuickItem* root, const QString& objectName)
{
    QList<QQuickItem*> found;
    for (QQuickItem* child : root->childItems()) {
        if (objectName.isEmpty() || child->objectName() == objectName)
            found << child;
        found << itemsBelow(child, objectName);
    }
    return found;
}

// Tells the controls a screen reader is listening, as the platform does when one starts: only
// then do they name themselves after their texts (the offscreen platform has no reader).
static void listen()
{
    QAccessible::setActive(true);
}

QQuickItem* Journey::findNamed(const QString& accessibleName, QQuickItem* root) const
{
    listen();
    return namedBelow(root ? root : window()->contentItem(), accessibleName);
}

QQuickItem* Journey::waitNamed(const QString& accessibleName) const
{
    QQuickItem* found = nullptr;
    fixtures::waitFor([&] {
        found = findNamed(accessibleName);
        return found && found->isEnabled();
    });
    return found;
}

QStringList Journey::unnamedControls() const
{
    listen();
    QStringList unnamed;
    collectUnnamed(window()->contentItem(), unnamed);
    return unnamed;
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
