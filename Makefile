# The two everyday commands: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test clean package

all: build

deps:
	@scripts/install-deps

configure: deps
	@if [ ! -f $(BUILD)/CMakeCache.txt ]; then \
		cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo; \
	fi

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -x $(BUILD)/bin/Tarvessa ]; then \
		$(BUILD)/bin/Tarvessa; \
	else \
		$(BUILD)/bin/velorin chart --now --sheet; \
	fi

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(PACKAGE_BUILD)

# The Debian package: a Release build of the programs alone, then CPack;
# scripts/check-package lists what the .deb holds and fails on a gap.
PACKAGE_BUILD ?= build-package
package: deps
	@if [ ! -f $(PACKAGE_BUILD)/CMakeCache.txt ]; then \
		cmake -S . -B $(PACKAGE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release \
			-DCMAKE_INSTALL_PREFIX=/usr -DVELORIN_TESTS=OFF -DVELORIN_BENCH=OFF; \
	fi
	cmake --build $(PACKAGE_BUILD) -j $(JOBS) --target package
	scripts/check-package $(PACKAGE_BUILD)/velorin_*.deb

# The fuzz targets in a clang build of their own, each for FUZZ_SECONDS.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 600
.PHONY: fuzz
fuzz: deps
	@if [ ! -f $(FUZZ_BUILD)/CMakeCache.txt ]; then \
		cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
			-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DVELORIN_FUZZ=ON \
			-DVELORIN_WIDGETS=OFF -DVELORIN_BENCH=OFF; \
	fi
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_targets
	FUZZ_BUILD=$(FUZZ_BUILD) FUZZ_SECONDS=$(FUZZ_SECONDS) scripts/run-fuzz

# Every benchmark, then one table of figures against their baselines.
.PHONY: bench
bench: build
	@mkdir -p $(BUILD)/bench-results
	@for b in bench_engine bench_forecast wheel_bench interpretation_bench report_bench programs_bench bench_atlas; do \
		echo "running $$b"; \
		QT_QPA_PLATFORM=offscreen $(BUILD)/bin/$$b --benchmark_out=$(BUILD)/bench-results/$$b.json \
			--benchmark_out_format=json >/dev/null || exit 1; \
	done
	@scripts/bench-table $(BUILD)/bench-results/*.json
