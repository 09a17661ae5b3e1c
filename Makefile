# make run   installs what is missing, builds, starts the game
# make test  installs what is missing, builds, runs every test
# make fuzz  runs the fuzzer for FUZZ_SECONDS (default 600)

PACKAGES := cmake ninja-build g++ clang libclang-rt-14-dev googletest libgtest-dev libgmock-dev \
            libbenchmark-dev nlohmann-json3-dev qt6-base-dev xfonts-base
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
FUZZ_SECONDS ?= 600
CI_FUZZ_SECONDS ?= 60

.PHONY: deps build run test test-default test-asan test-fuzz fuzz bench format clean approve

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

# Writes every check file anew from the program's own output; review the diff, then commit.
approve: build
	for log in tests/logs/*.txt; do [ $${log##*/} = CMakeLists.txt ] || \
	    ./build/bin/replay $$log > $${log%.txt}.chk; done
	cd build/tests/explore && ../../bin/explore_test --gtest_brief=1 >/dev/null; \
	    cp explore-report.txt $(CURDIR)/tests/explore/explore.chk

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
