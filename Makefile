# Front door: `make run` starts the app, `make test` runs every test.
BUILD ?= build
JOBS ?= $(shell nproc)
# Compiler cache shared between checkouts of this tree: paths below the checkout hash alike.
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1
LAUNCHER := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache,)

.PHONY: setup configure build run test clean format lint tidy

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

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

# Style and QML checks over the last build (no second build).
lint:
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror
	@cmake --build $(BUILD) --target quirelib_qmllint

# The .clang-tidy profile over src/ and tools/, from the build's compile_commands.json.
tidy:
	@git ls-files 'src/*.cpp' 'tools/*.cpp' ':!:src/platform/testing/*' | \
		xargs run-clang-tidy -quiet -p $(BUILD) -j $(JOBS) >$(BUILD)/clang-tidy.log 2>&1 || \
		{ grep -E 'warning:|error:' $(BUILD)/clang-tidy.log | sort -u; exit 1; }

clean:
	rm -rf $(BUILD)
