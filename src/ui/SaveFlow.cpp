// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SaveFlow.h"

#include "jobs/Job.h"
#include "platform/Dispatcher.h"
#include "platform/PhotoLibrary.h"
#include "platform/UrlOpener.h"
#include "ui/AlertCenter.h"
#include "ui/ProgressOverlay.h"
#include "ui/Services.h"

#include <QCoreApplication>
#include <QObject>
#include <QPointer>

#include <memory>
#include <utility>

namespace SaveFlow {
namespace {
using Status = PhotoLibrary::Status;

// One multi-image run; only touched on the GUI thread once it has started.
struct Run
{
    Services& services;
    QPointer<QObject> screen;
    std::vector<Image> images;
    std::function<void(int)> setIndex;
    int index = 0;
    int failed = 0;
    QString firstError;
    QPointer<Job> job; // goes with the screen, which cancels the run
    std::shared_ptr<JobControl> control;
};

bool refused(Status status)
{
    return status == Status::Restricted || status == Status::Denied;
}

void saveNextImage(const std::shared_ptr<Run>& run)
{
    Services& s = run->services;
    if (!run->job || run->control->isCancelled()) {
        // Photos saved by then stay in the library; the screen is left as it was.
        if (run->job) {
            run->job->end();
            run->job->deleteLater();
        }
        return;
    }
    if (std::cmp_equal(run->index, run->images.size())) {
        run->job->end();
        run->job->deleteLater();
        s.dispatcher->async([run] {
            showClosingAlert(run->services, int(run->images.size()), run->failed, run->firstError);
        });
        return;
    }
    s.photos->save(run->images[size_t(run->index)], [run](const QString& error) {
        run->services.dispatcher->async([run, error] {
            if (!error.isEmpty() && run->failed++ == 0)
                run->firstError = error;
            ++run->index;
            run->control->advance();
            if (run->screen && run->setIndex)
                run->setIndex(run->index);
            saveNextImage(run);
        });
    });
}
} // namespace

void saveAll(Services& services, QObject* screen, std::vector<Image> images,
             std::function<void(int)> setIndex)
{
    auto run = std::make_shared<Run>(Run{services,
                                         QPointer<QObject>(screen),
                                         std::move(images),
                                         std::move(setIndex),
                                         0,
                                         0,
                                         {},
                                         nullptr,
                                         nullptr});
    services.photos->requestAuthorization([run](Status status) {
        Services& s = run->services;
        if (refused(status)) {
            s.dispatcher->async([&s] { showPermissionAlert(s); });
        } else if (status == Status::Authorized) {
            // Queued, never waited for: quitting waits on this thread's pool, not the other way.
            s.dispatcher->async([run] {
                run->job = new Job(run->services, run->screen.data());
                run->control =
                    run->job->begin(QCoreApplication::translate("SaveFlow", "Saving..."));
                run->control->setTotal(int(run->images.size()));
                run->index = 0;
                if (run->screen && run->setIndex)
                    run->setIndex(0);
                saveNextImage(run);
            });
        }
    });
}

void saveOne(Services& services, QObject* screen, const Image& image)
{
    Q_UNUSED(screen);
    services.photos->requestAuthorization([&services, image](Status status) {
        if (refused(status)) {
            services.dispatcher->async([&services] { showPermissionAlert(services); });
        } else if (status == Status::Authorized) {
            services.dispatcher->async([&services, image] {
                services.photos->save(image, [&services](const QString& error) {
                    services.dispatcher->async([&services, error] {
                        showClosingAlert(services, 1, error.isEmpty() ? 0 : 1, error);
                    });
                });
            });
        }
    });
}

void showPermissionAlert(Services& services)
{
    Alert alert;
    alert.title = QCoreApplication::translate("SaveFlow", "Can not access Photos!");
    alert.message = QCoreApplication::translate(
        "SaveFlow", "You have not given permission for access Photos. \nGoto "
                    "settings and give permission to access Photos.");
    alert.actions.push_back({QCoreApplication::translate("SaveFlow", "Cancel"), {}});
    alert.actions.push_back({QCoreApplication::translate("SaveFlow", "Setting"),
                             [&services] { services.urls->open(services.photos->settingsUrl()); }});
    services.alerts->present(std::move(alert));
}

void showClosingAlert(Services& services, int total, int failed, const QString& error)
{
    Alert alert;
    if (failed == 0) {
        alert.title = QCoreApplication::translate("SaveFlow", "Success");
        alert.message =
            QCoreApplication::translate("SaveFlow", "Images Successfully Saved To Photo Library.");
    } else {
        alert.title = QCoreApplication::translate("SaveFlow", "Could Not Save");
        alert.message = QCoreApplication::translate(
                            "SaveFlow", "%1 of %2 images could not be saved to Photo Library.")
                            .arg(failed)
                            .arg(total);
        if (!error.isEmpty())
            alert.message += QLatin1Char('\n') + error;
    }
    alert.actions.push_back({QCoreApplication::translate("SaveFlow", "OK"), {}});
    services.alerts->present(std::move(alert));
}
} // namespace SaveFlow
