# Thin wrapper over CMake + Ninja. `make run` builds and plays, `make test` builds and tests.
BUILD    ?= build
ASAN     ?= build-asan
FUZZ     ?= build-fuzz
CMAKEOPT ?=

.PHONY: all build run test test-sanitize fuzz bench clean

all: build

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKEOPT)

build: $(BUILD)/build.ninja
	cmake --build $(BUILD)

run: build
	$(BUILD)/frontend/dolm

test: build
	cd $(BUILD) && ctest --output-on-failure

$(ASAN)/build.ninja:
	cmake -S . -B $(ASAN) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDOLM_SANITIZE=ON $(CMAKEOPT)

test-sanitize: $(ASAN)/build.ninja
	cmake --build $(ASAN)
	cd $(ASAN) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -LE slow

$(FUZZ)/build.ninja:
	CXX=clang++ cmake -S . -B $(FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDOLM_FUZZ=ON $(CMAKEOPT)

FUZZTIME ?= 30
fuzz: $(FUZZ)/build.ninja
	cmake --build $(FUZZ)
	@for f in $(FUZZ)/tests/fuzz/fuzz_*; do [ -x "$$f" ] || continue; \
	  echo "== $$f ($(FUZZTIME) s)"; "$$f" -max_total_time=$(FUZZTIME) -rss_limit_mb=2048 || exit 1; done

bench: build
	$(BUILD)/bench/dolm-bench bench/positions.txt
	$(BUILD)/bench/brain-bench bench/tactics.txt

clean:
	rm -rf $(BUILD) $(ASAN) $(FUZZ)
