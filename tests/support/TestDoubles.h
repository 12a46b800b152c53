// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/UrlOpener.h"
#include "platform/UserDefaults.h"

#include <QVariantMap>

#include <vector>

// A clock that says what the test tells it.
class FixedClock : public Clock
{
  public:
    explicit FixedClock(double now = 1700000000.7) : m_now(now) {}
    [[nodiscard]] double now() const override { return m_now; }
    void set(double now) { m_now = now; }

  private:
    double m_now;
};

// User defaults held in memory.
class MemoryUserDefaults : public UserDefaults
{
  public:
    [[nodiscard]] QVariant value(const QString& key) const override { return m_values.value(key); }
    void setValue(const QString& key, const QVariant& value) override
    {
        m_values.insert(key, value);
        ++m_writes;
    }
    void synchronize() override { ++m_syncs; }
    [[nodiscard]] int writes() const { return m_writes; }
    [[nodiscard]] int syncs() const { return m_syncs; }

  private:
    QVariantMap m_values;
    int m_writes = 0;
    int m_syncs = 0;
};

// A clipboard held in memory (each kind kept on its own, for the tests to read).
class MemoryClipboard : public Clipboard
{
  public:
    void setText(const QString& text) override { m_text = text; }
    [[nodiscard]] QString text() const override { return m_text; }
    void setImage(const QImage& image) override { m_image = image; }
    void setUrls(const QList<QUrl>& urls) override { m_urls = urls; }
    [[nodiscard]] QImage image() const { return m_image; }
    [[nodiscard]] QList<QUrl> urls() const { return m_urls; }

  private:
    QString m_text;
    QImage m_image;
    QList<QUrl> m_urls;
};

// Records every address it is asked to open.
class RecordingUrlOpener : public UrlOpener
{
  public:
    bool open(const QUrl& url) override
    {
        opened.push_back(url);
        return true;
    }
    std::vector<QUrl> opened;
};
