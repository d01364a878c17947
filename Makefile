# The two commands of the project: `make run` and `make test`.
# Both do the whole set-up on a fresh Debian 12 machine first.

BUILD      ?= build
SANBUILD   ?= build-san
JOBS       ?= 2
EXAMPLE    ?= examples/circular-halfspace.kvd

.PHONY: all deps configure build run test test-plain test-sanitized bench clean

all: build

deps:
	@tools/install-deps

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(SANBUILD)/build.ninja: | deps
	cmake -S . -B $(SANBUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVAL_SANITIZE=ON

configure: $(BUILD)/build.ninja

build: $(BUILD)/build.ninja
	ninja -C $(BUILD) -j $(JOBS)

# Analyse the bundled example with the command-line runner and show the end of its report.
run: build
	@tools/run-example $(BUILD)/bin/korv3 $(EXAMPLE)

test-plain: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-sanitized: $(SANBUILD)/build.ninja
	ninja -C $(SANBUILD) -j $(JOBS)
	cd $(SANBUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

test: test-plain test-sanitized

bench: build
	$(BUILD)/bin/korv3-bench

clean:
	rm -rf $(BUILD) $(SANBUILD)
