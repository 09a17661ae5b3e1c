# make run   installs what is missing, builds, starts the game
# make test  installs what is missing, builds, runs every test
# make fuzz  runs the fuzzer for FUZZ_SECONDS (default 600)
# make speech plays a short game with the Orca screen reader and prints what it spoke

PACKAGES := cmake ninja-build g++ clang libclang-rt-14-dev googletest libgtest-dev libgmock-dev \
            libbenchmark-dev nlohmann-json3-dev qt6-base-dev xfonts-base
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
FUZZ_SECONDS ?= 600
CI_FUZZ_SECONDS ?= 60

.PHONY: deps build run test test-default test-asan test-fuzz fuzz bench format clean

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null \
	    | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	    echo "Installing:" $$missing; \
	    $(SUDO) apt-get update -qq && \
	    DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

build: deps
	cmake --preset default
	cmake --build --preset default

run: build
	./build/bin/vaultmoor

test: test-default test-asan test-fuzz

test-default: build
	ctest --preset default
	@grep -h '^explored:' build/tests/explore/explore-report.txt

test-asan: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

test-fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz
	./fuzz/run.sh build-fuzz $(CI_FUZZ_SECONDS)

fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz
	./fuzz/run.sh build-fuzz $(FUZZ_SECONDS)

bench: build
	./build/bin/vaultmoor-bench

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build build-asan build-fuzz

# The screen reader check: Orca on a virtual X server with the accessibility bus.
SPEECH_PACKAGES := orca xvfb at-spi2-core dbus-daemon xdotool
.PHONY: speech
speech: build
	$(MAKE) deps PACKAGES="$(SPEECH_PACKAGES)"
	tools/speech-check.sh build/bin/vaultmoor
