// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlertCenter.h"

#include <utility>

void AlertCenter::present(Alert alert)
{
    m_presented.push_back(alert);
    m_queue.push_back(std::move(alert));
    emit changed();
}

void AlertCenter::respond(int index)
{
    if (m_queue.empty())
        return;
    Alert front = std::move(m_queue.front());
    m_queue.erase(m_queue.begin());
    emit changed();
    if (index >= 0 && std::cmp_less(index, front.actions.size()) &&
        front.actions[size_t(index)].handler)
        front.actions[size_t(index)].handler();
}

QString AlertCenter::title() const
{
    return m_queue.empty() ? QString() : m_queue.front().title;
}

QString AlertCenter::message() const
{
    return m_queue.empty() ? QString() : m_queue.front().message;
}

QStringList AlertCenter::buttons() const
{
    QStringList out;
    if (!m_queue.empty())
        for (const auto& a : m_queue.front().actions)
            out << a.title;
    return out;
}
