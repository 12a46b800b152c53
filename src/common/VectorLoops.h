// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Marks a function whose loops run over every pixel of a page: on x86-64 it is built twice, for
// AVX2 and for any processor, and the loader picks the one this machine runs. Debian builds for
// the oldest x86-64, where the vectorizer has half the width and no 32-bit multiply.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define QUIRE_VECTOR_LOOPS __attribute__((target_clones("avx2", "default")))
#else
#define QUIRE_VECTOR_LOOPS
#endif
