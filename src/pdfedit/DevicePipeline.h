// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <qpdf/Pipeline.hh>

class QIODevice;

// The end of qpdf's output chain for an edited PDF: straight into a device, a failed write
// thrown so that the writer stops and nothing half-written is kept.
class DevicePipeline : public Pipeline
{
  public:
    explicit DevicePipeline(QIODevice& out);
    void write(unsigned char const* data, size_t len) override;
    void finish() override {}

  private:
    QIODevice& m_out;
};
