# The two commands of the README: `make run` and `make test`. Both install what is missing first.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: deps configure build test run clean packages bench

deps:
	@scripts/install-deps

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The shipped resource packages, written into $(BUILD)/packages where the game finds them;
# rebuilt only when a recipe changes. `make test` does not need them.
packages: configure
	cmake --build $(BUILD) -j $(JOBS) --target shipped_packages voice_package calendar_package

run: build packages
	$(BUILD)/bin/tarvo3 $(ARGS)

# Speed figures come from an optimised build with assertions off, beside the test build:
# $(BENCH)/bin/tarvo3-sim. `make test` never builds it.
BENCH ?= build-bench
bench: deps
	cmake -S . -B $(BENCH) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVO_ONLY="core;ai;match;sim"
	cmake --build $(BENCH) -j $(JOBS) --target tarvo3-sim

clean:
	rm -rf $(BUILD) $(BENCH)
