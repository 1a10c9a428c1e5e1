# VaskEdit: `make run` builds and starts the editor on a fresh copy of the demo
# workspace; `make test` builds and runs every test (Linux, sanitizers, Windows, and
# each fuzz harness for a few seconds); `make fuzz` runs every fuzz harness long
# (FUZZ_SECONDS each).
.PHONY: deps build run test bench fuzz clean

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

FUZZ_SECONDS ?= 1800
fuzz: deps
	@scripts/run-fuzzers.sh $(FUZZ_SECONDS)

clean:
	rm -rf build build-asan build-win build-fuzz
