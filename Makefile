# Quick start: `make run` and `make test`. Both install missing Debian
# packages first (scripts/install-deps.sh), then configure and build.
BUILD      ?= build
ASAN_BUILD ?= build-asan
BENCH_BUILD?= build-bench
JOBS       ?= 2
PREFIX     ?= $(HOME)/.local

.PHONY: deps build build-all run test test-asan bench install uninstall package manual-screenshots clean

deps:
	@bash scripts/install-deps.sh

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

# The program and its modules only; the test programs come with `make test`.
build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS) --target vantrel_program

build-all: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/bin/vantrel $(ARGS)

test: build-all
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVANTREL_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j$(JOBS)

bench: deps
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DVANTREL_BUILD_TESTS=OFF -DVANTREL_BUILD_BENCH=ON
	cmake --build $(BENCH_BUILD) -j$(JOBS)
	bash scripts/run-benchmarks.sh $(BENCH_BUILD)

# Installs into $(PREFIX) (default ~/.local; PREFIX=/usr/local for everyone).
# build/install_manifest.txt lists every installed file for `make uninstall`.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

uninstall:
	@test -f $(BUILD)/install_manifest.txt || { echo "Nothing was installed from $(BUILD)."; exit 1; }
	xargs -d '\n' rm -f < $(BUILD)/install_manifest.txt
	-rmdir -p --ignore-fail-on-non-empty $$(xargs -d '\n' -n1 dirname < $(BUILD)/install_manifest.txt | sort -u) 2>/dev/null

# The Debian package vantrel_<version>_amd64.deb, written into $(BUILD).
package: build
	cd $(BUILD) && cpack -G DEB

# Every page of the manual as a browser shows it, in $(BUILD)/manual-shots/
# (needs Chromium: scripts/install-deps.sh --docs).
manual-screenshots: $(BUILD)/CMakeCache.txt
	bash scripts/manual-screenshots.sh $(BUILD)/manual-shots $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD)
