# The two set-up commands: `make run` and `make test`.
BUILD ?= build
CMAKE_FLAGS ?=

.PHONY: run test build bench fuzz deps configure clean

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	@cmake --build $(BUILD)

run: build
	@$(BUILD)/bin/zuno

test: build
	@cd $(BUILD) && ctest --output-on-failure -j2

bench: deps
	@cmake -S . -B $(BUILD)-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DZUNO_BUILD_BENCH=ON -DZUNO_BUILD_TESTS=OFF
	@cmake --build $(BUILD)-bench --target benchmarks
	@cd $(BUILD)-bench && for b in bench/bench_*; do [ -x $$b ] && [ -f $$b ] && ./$$b; done; true

clean:
	@rm -rf $(BUILD) $(BUILD)-bench
