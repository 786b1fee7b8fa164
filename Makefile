# The two commands a newcomer needs:
#   make run    builds Sorvane and starts it under Wine (a virtual display when there is none)
#   make test   builds everything and runs every test
.PHONY: run test package bench build deps clean

run:
	@bash scripts/run.sh

test:
	@bash scripts/test.sh

# The setup program and the portable zip, in build/packages.
package:
	@bash scripts/package.sh

# Speed and memory against baselines and peers, as one table (SIZE=full for the large sizes).
bench:
	@SIZE="$(SIZE)" ONLY="$(ONLY)" bash scripts/bench.sh

deps:
	@bash scripts/deps.sh

build: deps
	@bash scripts/build.sh

clean:
	rm -rf build
