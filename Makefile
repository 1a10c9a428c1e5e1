# VaskEdit: `make run` builds and starts the editor on a fresh copy of the demo
# workspace; `make test` builds and runs every test (Linux, sanitizers, Windows).
.PHONY: deps build run test bench fuzz clean

deps:
	@scripts/install-deps.sh

build: deps
	@cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build build

run: build
	@scripts/run-demo.sh build

test: deps
	@scripts/run-tests.sh

bench: build
	@scripts/run-bench.sh build

clean:
	rm -rf build build-asan build-win
