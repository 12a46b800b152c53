// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DevicePipeline.h"

#include <QIODevice>

#include <stdexcept>

DevicePipeline::DevicePipeline(QIODevice& out) : Pipeline("device", nullptr), m_out(out)
{
}

void DevicePipeline::write(unsigned char const* data, size_t len)
{
    if (m_out.write(reinterpret_cast<const char*>(data), qint64(len)) != qint64(len))
        throw std::runtime_error(m_out.errorString().toStdString());
}
