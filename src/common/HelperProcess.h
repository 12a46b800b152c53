// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <sys/types.h>

// A helper program whose standard input and output are one socket: requests are written to it and
// answers read back, from any thread (no event loop, no Qt object), for as long as it runs.
class HelperProcess
{
  public:
    // Started, or null when it cannot be.
    [[nodiscard]] static std::unique_ptr<HelperProcess> start(const QString& program);
    // Started for the program this process is about to exec into, which takes it with adopt():
    // its socket stays open across exec and is named in the environment. False when it cannot be.
    static bool startForExec(const QString& program);
    // Helpers fill tens of megabytes once, and fault each page in: start() has glibc's malloc ask
    // for huge pages for them (one fault per 2 MB instead of per 4 kB, a tenth of a photo's time
    // where the kernel gives them only when asked). This asks the same for the program this
    // process execs into; only before other threads start.
    static void askForHugePages();
    // Whether the program before exec handed a helper over.
    [[nodiscard]] static bool handedOver();
    // The helper running program that the program before exec started, the first time asked
    // (taken out of the environment); null when there is none (or it runs another program).
    [[nodiscard]] static std::unique_ptr<HelperProcess> adopt(const QString& program);
    // Ends its input, which ends a helper waiting for a request, and waits for it.
    ~HelperProcess();
    HelperProcess(const HelperProcess&) = delete;
    HelperProcess& operator=(const HelperProcess&) = delete;

    // Whether it has ended since it last answered (crashed, killed, or gone on its own).
    [[nodiscard]] bool hasEnded();
    // Writes request and reads one answer: a line whose last word is the length of the bytes
    // that follow it, and those bytes. False when the helper ended before answering in full.
    [[nodiscard]] bool ask(const QByteArray& request, QByteArray& answer) const;
    // Ends its input and waits for it: empty when it exited with status 0, else "exit N" or
    // "signal N". It is asked nothing after.
    [[nodiscard]] QString finish();
    // Ends its input only: a helper waiting for a request leaves; the destructor waits for that.
    void release();

  private:
    HelperProcess() = default;
    bool reap(bool wait);

    pid_t m_pid = -1;
    int m_socket = -1;
    int m_status = 0;
    bool m_reaped = false;
};
