// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>

// The three store addresses of the settings screen, fixed when the app is built.
struct StoreAddresses
{
    QString storePage = QStringLiteral(QUIRE_STORE_URL);
    QString review = QStringLiteral(QUIRE_REVIEW_URL);
    QString developerPage = QStringLiteral(QUIRE_DEVELOPER_URL);

    // An absolute address with a scheme and a host, or an empty URL when the text is not one.
    [[nodiscard]] static QUrl toUrl(const QString& address)
    {
        QUrl url(address, QUrl::StrictMode);
        if (!url.isValid() || url.isRelative() || url.host().isEmpty())
            return {};
        return url;
    }
};
