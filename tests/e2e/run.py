"""Runs every scenario against the real program; prints one line per scenario and a total."""

import sys
import time
import traceback

sys.path.insert(0, __file__.rsplit("/", 1)[0])
import scenarios  # noqa: E402


def main():
    binary, shots = sys.argv[1], sys.argv[2]
    wanted = sys.argv[3:]
    names = [n for n in dir(scenarios) if n.startswith("scenario_")]
    if wanted:
        names = [n for n in names if any(w in n for w in wanted)]
    passed = failed = 0
    for name in names:
        start = time.monotonic()
        try:
            getattr(scenarios, name)(binary, shots)
            passed += 1
            print("PASS %s (%.1f s)" % (name, time.monotonic() - start), flush=True)
        except Exception:
            failed += 1
            print("FAIL %s (%.1f s)" % (name, time.monotonic() - start), flush=True)
            traceback.print_exc()
    print("screenshots: " + shots)
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed or not passed else 0


if __name__ == "__main__":
    sys.exit(main())
