// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Runs a program built for WebAssembly, whose module is made to be loaded by
// a page, under node: main runs with the arguments given, and the process
// ends with its status (the program is linked to end its runtime on return).
// Qt asks the browser for the user's languages, which node does not know:
// here they are a page's with no choice made.
//   node node_run.js <program.js> [arguments...]
'use strict';
const path = require('path');
globalThis.navigator ??= { language: 'en-US', languages: ['en-US'] };
const start = require(path.resolve(process.argv[2]));
start({ arguments: process.argv.slice(3) });
