# Thin wrapper over CMake + Ninja. `make run` installs what the game needs,
# builds the game alone and plays; `make test` installs what the tests need,
# builds everything and tests. DEPS=true skips the package check.
BUILD    ?= build
ASAN     ?= build-asan
FUZZ     ?= build-fuzz
CROSS    ?= build-aarch64
CMAKEOPT ?=
DEPS     ?= scripts/install-deps
PREFIX   ?=
CONFIGURE = cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKEOPT)

.PHONY: all build run test install test-sanitize test-aarch64 fuzz bench clean

all: build

$(BUILD)/build.ninja:
	$(CONFIGURE)

build: $(BUILD)/build.ninja
	cmake --build $(BUILD)

run:
	$(DEPS) game
	@[ -f $(BUILD)/build.ninja ] || $(CONFIGURE)
	cmake --build $(BUILD) --target dolm
	$(BUILD)/frontend/dolm

# Configured again, so a build directory made before the test packages came finds them.
test:
	$(DEPS) test
	$(CONFIGURE)
	cmake --build $(BUILD)
	cd $(BUILD) && ctest --output-on-failure

install:
	$(DEPS) game
	@[ -f $(BUILD)/build.ninja ] || $(CONFIGURE)
	cmake --build $(BUILD) --target dolm pbrain-dolm
	cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX))

$(ASAN)/build.ninja:
	cmake -S . -B $(ASAN) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDOLM_SANITIZE=ON $(CMAKEOPT)

test-sanitize: $(ASAN)/build.ninja
	cmake --build $(ASAN)
	cd $(ASAN) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -LE slow

$(FUZZ)/build.ninja:
	CXX=clang++ cmake -S . -B $(FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDOLM_FUZZ=ON $(CMAKEOPT)

# Each target runs FUZZTIME seconds from its seed corpus tests/fuzz/corpus/NAME (and
# dictionary NAME.dict); what it finds goes to $(FUZZ)/corpus/NAME, crashes to $(FUZZ).
FUZZTIME ?= 30
fuzz: $(FUZZ)/build.ninja
	cmake --build $(FUZZ)
	@for f in $(FUZZ)/tests/fuzz/fuzz_*; do [ -x "$$f" ] || continue; n=$${f##*/fuzz_}; \
	  seeds=$(CURDIR)/tests/fuzz/corpus/$$n; dict=$(CURDIR)/tests/fuzz/$$n.dict; \
	  mkdir -p $(FUZZ)/corpus/$$n; echo "== $$n ($(FUZZTIME) s)"; \
	  "$$f" -max_total_time=$(FUZZTIME) -rss_limit_mb=2048 -print_final_stats=1 \
	    -artifact_prefix=$(CURDIR)/$(FUZZ)/ $$( [ -f $$dict ] && echo -dict=$$dict) \
	    $(CURDIR)/$(FUZZ)/corpus/$$n $$( [ -d $$seeds ] && echo $$seeds) >$(FUZZ)/$$n.log 2>&1 \
	    || { tail -40 $(FUZZ)/$$n.log; exit 1; }; grep '^Done' $(FUZZ)/$$n.log; done

# The engine built for 64-bit ARM and checked under qemu-user: engine and
# search unit tests and the bench signature.
$(CROSS)/build.ninja:
	cmake -S . -B $(CROSS) -G Ninja -DCMAKE_BUILD_TYPE=Release -DDOLM_ENGINE_ONLY=ON \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/aarch64-linux-gnu.cmake $(CMAKEOPT)

test-aarch64: $(CROSS)/build.ninja
	cmake --build $(CROSS)
	cd $(CROSS) && ctest --output-on-failure -j2

bench: build
	$(BUILD)/bench/dolm-bench bench/positions.txt
	$(BUILD)/bench/brain-bench bench/tactics.txt

clean:
	rm -rf $(BUILD) $(ASAN) $(FUZZ) $(CROSS)
