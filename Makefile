# SPDX-FileCopyrightText: 2026 Quire developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Front door: `make run` starts the app, `make test` runs every test.
BUILD ?= build
JOBS ?= $(shell nproc)
# Compiler cache shared between checkouts of this tree: paths below the checkout hash alike.
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1
LAUNCHER := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache,)

.PHONY: setup configure build run test clean format lint tidy sanitize fuzz fuzz-build fuzz-corpus

setup:
	@scripts/setup

configure: setup
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/src/quire

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The unit tests (journeys are left to `make test`) with AddressSanitizer and UBSan, in their own
# build folder. Leaks are not checked: Qt and fontconfig keep caches to the end on purpose.
SANITIZE_BUILD ?= build-sanitize
sanitize: setup
	@cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUIRE_SANITIZE=ON $(LAUNCHER) >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS) -E journey

# Each fuzz target for FUZZ_SECONDS under libFuzzer (clang 22: Debian's clang 14 cannot build qpdf's
# headers as C++20), starting from its seed corpus; new
# finds go to $(FUZZ_BUILD)/corpus, crashes to $(FUZZ_BUILD)/crashes.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := $(patsubst fuzz/%_fuzz.cpp,%,$(wildcard fuzz/*_fuzz.cpp))
ifeq ($(wildcard src/common/PageRange.h),)
FUZZ_TARGETS := $(filter-out pagerange,$(FUZZ_TARGETS))
endif
fuzz: fuzz-build
	@mkdir -p $(FUZZ_BUILD)/crashes
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$t; echo "fuzzing $$t for $(FUZZ_SECONDS)s"; \
	  QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 $(FUZZ_BUILD)/fuzz/fuzz_$$t \
	    -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=4096 -print_final_stats=1 \
	    -artifact_prefix=$(FUZZ_BUILD)/crashes/$$t- $(FUZZ_BUILD)/corpus/$$t fuzz/corpus/$$t \
	    2>$(FUZZ_BUILD)/fuzz-$$t.log || { tail -40 $(FUZZ_BUILD)/fuzz-$$t.log; exit 1; }; \
	  grep -E "stat::number_of_executed_units|cov:" $(FUZZ_BUILD)/fuzz-$$t.log | tail -2; \
	done

fuzz-build: setup
	@CC=clang-22 CXX=clang++-22 cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUIRE_FUZZ=ON $(LAUNCHER) >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))

# The fuzz targets built as for `make fuzz`, each run once over its seed corpus only (for CI).
fuzz-corpus: fuzz-build
	@for t in $(FUZZ_TARGETS); do \
	  QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 $(FUZZ_BUILD)/fuzz/fuzz_$$t \
	    -rss_limit_mb=4096 fuzz/corpus/$$t/* >$(FUZZ_BUILD)/corpus-$$t.log 2>&1 || \
	    { tail -40 $(FUZZ_BUILD)/corpus-$$t.log; exit 1; }; \
	  echo "fuzz_$$t: $$(ls fuzz/corpus/$$t | wc -l) seeds ran clean"; \
	done

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

# Style and QML checks over the last build (no second build): clang-format, then qmllint (its
# target fails on any warning).
lint:
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror
	@cmake --build $(BUILD) --target quire-app_qmllint

# The .clang-tidy profile over src/ and tools/, from the last build's compile_commands.json (no
# second build), one clang-tidy per core.
TIDY ?= 22
tidy:
	@git ls-files 'src/*.cpp' 'tools/*.cpp' | \
		xargs run-clang-tidy-$(TIDY) -quiet -clang-tidy-binary clang-tidy-$(TIDY) -p $(BUILD) \
		-j $(JOBS) >$(BUILD)/clang-tidy.log 2>&1 || \
		{ grep -E 'warning:|error:' $(BUILD)/clang-tidy.log | sort -u; exit 1; }

clean:
	rm -rf $(BUILD)
