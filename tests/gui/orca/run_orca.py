"""Starts Orca as /usr/bin/orca does, with the preferences of
$XDG_DATA_HOME/orca, but without refusing to start beside another user's
Orca: each test run has its own buses, so several may run at once."""
import os
import sys

sys.argv = ["orca"]
from orca import debug  # noqa: E402
from orca import orca  # noqa: E402

# YZO_ORCA_DEBUG=FILE: Orca's own account of every event, for a failed test.
if os.environ.get("YZO_ORCA_DEBUG"):
    debug.debugLevel = debug.LEVEL_INFO
    debug.debugFile = open(os.environ["YZO_ORCA_DEBUG"], "w", buffering=1)  # kept when Orca is killed

# YZO_ORCA_APPS=FOLDER: an installed tree's orca/scripts/apps, searched as if
# it were installed in Orca's own folder (as the package installs it).
if os.environ.get("YZO_ORCA_APPS"):
    import orca.scripts.apps  # noqa: E402
    orca.scripts.apps.__path__.append(os.environ["YZO_ORCA_APPS"])

manager = orca.getSettingsManager()
manager.activate(None, {})
sys.path.insert(0, manager.getPrefsDir())
sys.exit(orca.main())
