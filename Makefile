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

# Fuzz targets (libFuzzer, clang, sanitizers) in $(BUILD)-fuzz, not part of
# `make test`. Each runs FUZZ_TIME seconds, one after the other; a finding is
# left in $(BUILD)-fuzz as crash-*, leak-* or timeout-* file.
FUZZ_TIME ?= 180
FUZZERS := fuzz_backup fuzz_script fuzz_workbook

fuzz: deps
	@scripts/install-deps.sh clang-14 libclang-rt-14-dev
	@cmake -S fuzz -B $(BUILD)-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo
	@cmake --build $(BUILD)-fuzz
	@cd $(BUILD)-fuzz && for f in $(FUZZERS); do mkdir -p corpus/$$f && \
	  ./$$f -max_total_time=$(FUZZ_TIME) -timeout=10 corpus/$$f $(CURDIR)/fuzz/corpus/$$f || exit 1; done

clean:
	@rm -rf $(BUILD) $(BUILD)-bench $(BUILD)-fuzz
