// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// While alive, large buffers freed by the PDF writer are kept for the next page instead of being
// handed back to the system and faulted in afresh: qpdf holds every stream in a fresh buffer
// of a few megabytes, and on virtual machines the page faults cost more than the copying.
// Memory kept over is returned when the last one goes.
class BufferReuse
{
  public:
    BufferReuse();
    ~BufferReuse();
    BufferReuse(const BufferReuse&) = delete;
    BufferReuse& operator=(const BufferReuse&) = delete;
};
