# VaskEdit: `make run` builds and starts the editor on a fresh copy of the demo
# workspace; `make test` builds and runs every test (Linux, sanitizers, Windows, and
# each fuzz harness for a few seconds); `make fuzz` runs every fuzz harness long
# (FUZZ_SECONDS each). `make package` builds the Debian package and the Windows zip;
# `make package-test` installs and runs them in a fresh Debian 12 tree and under wine
# (a few minutes, as root; not part of `make test`). `make qt-windows` builds Qt for
# Windows once into its cache (about an hour), which the Windows editor needs.
.PHONY: deps build run test bench fuzz package package-test qt-windows clean

deps:
	@scripts/install-deps.sh

build: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release

run: build
	@scripts/run-demo.sh build

test: deps
	@scripts/run-tests.sh

bench: build
	@scripts/run-bench.sh build

package: deps
	@scripts/build-packages.sh

qt-windows: deps
	@scripts/build-qt-windows.sh

package-test: package
	@scripts/package-test.sh build/packages/vaskedit_*.deb build-win/packages/vaskedit-*-windows-x64.zip

FUZZ_SECONDS ?= 1800
fuzz: deps
	@scripts/run-fuzzers.sh $(FUZZ_SECONDS)

clean:
	rm -rf build build-asan build-win build-fuzz
