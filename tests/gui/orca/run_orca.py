"""Starts Orca as /usr/bin/orca does, with the preferences of
$XDG_DATA_HOME/orca, but without refusing to start beside another user's
Orca: each test run has its own buses, so several may run at once."""
import importlib
import logging
import os
import sys
import tempfile

sys.argv = ["orca"]
from orca import debug  # noqa: E402
from orca import orca  # noqa: E402

# YZO_ORCA_DEBUG=FILE: Orca's own account of every event, for a failed test.
if os.environ.get("YZO_ORCA_DEBUG"):
    debug.debugLevel = debug.LEVEL_INFO
    debug.debugFile = open(os.environ["YZO_ORCA_DEBUG"], "w", buffering=1)  # kept when Orca is killed

# YZO_BRAILLE_LOG=FILE: every line Orca puts on the braille display or its
# monitor, as its braille module logs it: "BRAILLE LINE:  '...'".
if os.environ.get("YZO_BRAILLE_LOG"):
    braille_log = logging.FileHandler(os.environ["YZO_BRAILLE_LOG"], encoding="utf-8")
    braille_log.setFormatter(logging.Formatter("%(message)s"))
    logging.getLogger("braille").addHandler(braille_log)

# YZO_ORCA_APPS=FOLDER: an installed tree's orca/scripts/apps, searched as
# Orca's own (importlib, so that the name orca stays Orca's main module).
if os.environ.get("YZO_ORCA_APPS"):
    importlib.import_module("orca.scripts.apps").__path__.append(os.environ["YZO_ORCA_APPS"])

# YZO_ORCA_WITHOUT_APP_SCRIPT=1: a module that declines to load stands before
# any installed yzo script, so that Orca uses its GTK script.
if os.environ.get("YZO_ORCA_WITHOUT_APP_SCRIPT") == "1":
    declining = tempfile.mkdtemp(prefix="yzo-no-script-")
    os.makedirs(os.path.join(declining, "yzo"))
    with open(os.path.join(declining, "yzo", "__init__.py"), "w") as f:
        f.write('raise ImportError("no yzo script in this run")\n')
    importlib.import_module("orca.scripts.apps").__path__.insert(0, declining)

manager = orca.getSettingsManager()
manager.activate(None, {})
sys.path.insert(0, manager.getPrefsDir())
sys.exit(orca.main())
