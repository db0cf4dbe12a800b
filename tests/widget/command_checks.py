"""What the command-line test scripts share: the program run in a locale of
its own without a display, and the checks counted for the closing line
"N passed, N failed"."""
import os
import subprocess
import sys


class Checks:
    def __init__(self):
        self.passed, self.failures = 0, []

    def __call__(self, condition, what):
        if condition:
            self.passed += 1
        else:
            self.failures.append(what)
            print("FAIL:", what, file=sys.stderr)

    def finish(self):
        print(f"{self.passed} passed, {len(self.failures)} failed")
        sys.exit(1 if self.failures else 0)


def runner(program):
    """run(*args, locale=...): the exit status, standard output and standard error."""
    def run(*args, locale="C.UTF-8"):
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "LANGUAGE")}
        env.update(LC_ALL=locale, LANG=locale)
        done = subprocess.run([program, *args], capture_output=True, env=env, timeout=60)
        return done.returncode, done.stdout.decode("utf-8"), done.stderr.decode("utf-8", "replace")
    return run
