#include "SceneDelegate.h"

#include "AppValues.h"
#include "FileOpener.h"
#include "ViewController.h"
#include "image/ThumbnailProvider.h"
#include "platform/qt/ImageProvider.h"
#include "ui/AlertCenter.h"
#include "ui/Navigator.h"
#include "ui/ProgressOverlay.h"
#include "ui/Services.h"
#include "ui/ShareSheet.h"
#include "viewer/PdfPageProvider.h"
#include "viewer/PdfPages.h"

#include <QQuickWindow>

namespace {
template <typename T> void expose(const char* name, T* instance)
{
    if (instance)
        qmlRegisterSingletonInstance("Quire.Services", 1, 0, name, instance);
}
} // namespace

SceneDelegate::SceneDelegate(Services& services) : m_services(services)
{
}

bool SceneDelegate::willConnect()
{
    expose("Navigator", m_services.navigator);
    expose("ProgressHUD", m_services.overlay);
    expose("Alerts", m_services.alerts);
    expose("App", m_services.app);
    expose("Share", m_services.share);
    expose("Opener", m_services.opener);
    expose("Appearance", &m_colors);
    m_engine.addImageProvider(QStringLiteral("quire"), new ImageProvider);
    m_engine.addImageProvider(QStringLiteral("thumbs"), new ThumbnailProvider);
    qmlRegisterType<PdfPages>("Quire.Services", 1, 0, "PdfPages");
    m_engine.addImageProvider(QStringLiteral("pdfpage"), new PdfPageProvider);
    m_engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
    m_engine.load(QUrl(QStringLiteral("qrc:/qt/qml/Quire/qml/Main.qml")));
    if (m_engine.rootObjects().isEmpty())
        return false;
    m_services.navigator->setRoot(new ViewController(m_services));
    return true;
}

QQuickWindow* SceneDelegate::window() const
{
    const auto roots = m_engine.rootObjects();
    return roots.isEmpty() ? nullptr : qobject_cast<QQuickWindow*>(roots.first());
}
