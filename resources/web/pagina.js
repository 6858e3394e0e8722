// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The page's own part: it loads the program, showing how much of it has
// arrived, and says in plain words what went wrong where it cannot run it;
// it keeps the browser's own Alt shortcuts from taking the program's keys;
// on a phone or tablet it fits the program's window to the screen and gives
// a finger the keys the answer needs; and it says when the drill has ended,
// with a way to start again. Everything it loads comes from its own folder.
'use strict';

(() => {
    const pantalla = document.getElementById('pantalla');
    const estat = document.getElementById('estat');
    const missatge = document.getElementById('missatge');
    const progres = document.getElementById('progres');
    const tornar = document.getElementById('tornar');
    const gira = document.getElementById('gira');
    const teclat = document.getElementById('teclat');

    // A message in the middle of the page, with the button that loads the
    // page again where starting again can help.
    let ended = false;
    const say = (text, again) => {
        ended = true;
        pantalla.hidden = true;
        teclat.hidden = true;
        missatge.textContent = text;
        progres.hidden = true;
        tornar.hidden = !again;
        estat.hidden = false;
        if (again)
            tornar.focus();
    };
    tornar.addEventListener('click', () => location.reload());

    const messages = {
        noWebAssembly: 'Aquest navegador no pot fer funcionar el Menvori, perquè no hi té ' +
            'WebAssembly (o el té desactivat). Obriu-lo amb un navegador actual: Chrome, ' +
            'Edge, Firefox o Safari.',
        tooOld: 'Aquest navegador és massa antic per al Menvori. Cal Chrome o Edge 97, ' +
            'Firefox 102, Safari 16 (iPad i iPhone: iPadOS o iOS 16) o una versió posterior. ' +
            'Actualitzeu-lo, o obriu la pàgina amb un altre navegador.',
        fromFile: 'El Menvori no es pot obrir fent doble clic a index.html: el navegador no ' +
            'deixa que una pàgina oberta des d\'un fitxer carregui el programa. Cal obrir-lo ' +
            'des d\'una adreça web (http:// o https://): la del servidor de l\'escola, o la ' +
            'd\'un servidor web en aquest mateix ordinador.',
        notWebAssembly: 'El programa del Menvori no ha arribat sencer: en lloc seu, el servidor ' +
            'o un filtre de continguts de la xarxa ha enviat una altra cosa (sovint una pàgina ' +
            'de bloqueig). Demaneu al responsable de la xarxa de l\'escola que deixi passar els ' +
            'fitxers .wasm d\'aquesta adreça.',
        noConnection: 'No s\'ha pogut carregar el Menvori. Comproveu la connexió i ' +
            'torneu-ho a provar.',
        noAnswer: 'El servidor no respon: el Menvori no arriba. Comproveu la connexió i ' +
            'torneu-ho a provar d\'aquí a una estona.',
        noMemory: 'Aquest dispositiu no té prou memòria lliure per obrir el Menvori. ' +
            'Tanqueu altres pestanyes o aplicacions i torneu-ho a provar.',
        crashed: 'El Menvori s\'ha aturat per un error inesperat. Torneu a començar; si ' +
            'torna a passar, digueu-ho al professorat.',
        closed: 'El Menvori s\'ha tancat.',
        finished: 'Has acabat la pràctica del peu de rei. Fins aviat!'
    };

    class LoadError extends Error {
        constructor(message) {
            super(message);
            this.name = 'LoadError';
        }
    }
    // What to say of an error while loading or running the program.
    const outOfMemory = /out of memory|could not allocate|cannot enlarge memory/i;
    const messageFor = error => {
        if (error instanceof LoadError)
            return messages[error.message];
        if (error instanceof RangeError || outOfMemory.test(String(error)))
            return messages.noMemory;
        if (error instanceof WebAssembly.CompileError || error instanceof WebAssembly.LinkError)
            return messages.notWebAssembly;
        return messages.crashed;
    };

    if (location.protocol === 'file:') {
        say(messages.fromFile, false);
        return;
    }
    if (typeof WebAssembly !== 'object' || typeof WebAssembly.compile !== 'function') {
        say(messages.noWebAssembly, false);
        return;
    }
    // The loader and the program's script are read after this one, which
    // the page lists first so that it sends for the program's code sooner.
    // (Deferred, as all three are, it runs before the document is said to
    // be loaded, and that comes after the last of them.)
    const scriptsRead = new Promise(resolve =>
        document.addEventListener('DOMContentLoaded', resolve, { once: true }));

    // Alt with a letter or a digit belongs to the program (its buttons and
    // its menu), on a Mac Option with the letter: the browser opens none of
    // its own menus with it, and a Mac types no special character. The
    // program still receives the key. AltGr, which types, is Ctrl+Alt on
    // Windows and no Alt at all elsewhere.
    window.addEventListener('keydown', event => {
        if (event.altKey && !event.ctrlKey && !event.metaKey && /^(Key[A-Z]|Digit[0-9])$/.test(event.code))
            event.preventDefault();
    }, true);

    // Where the page is smaller than the program's window, the program
    // draws its windows smaller, sharp at that scale, and says which scale
    // (the root element's data-escala). Below the scale at which its
    // smallest text (11 pixels) stays readable, 6 CSS pixels, a phone held
    // upright is asked to be turned; the window stays usable meanwhile.
    const Margin = 8;
    const ReadableScale = 0.55;
    const shownWindow = () => {
        const root = pantalla.querySelector('#qt-shadow-container')?.shadowRoot;
        return root && [...root.querySelectorAll('.qt-window')].find(w => w.style.display === 'block');
    };
    const upright = matchMedia('(orientation: portrait)');
    const showScale = () => {
        const scale = Number(document.documentElement.dataset.escala || 1);
        gira.hidden = ended || !upright.matches || scale >= ReadableScale;
    };
    upright.addEventListener('change', showScale);
    new MutationObserver(showScale).observe(document.documentElement,
        { attributes: true, attributeFilter: ['data-escala'] });
    let placing = 0;
    const fitSoon = () => {
        if (!placing)
            placing = requestAnimationFrame(() => {
                placing = 0;
                placeKeypad();
            });
    };
    addEventListener('resize', fitSoon);

    // A keypad for a finger: the digits, the point, a key that rubs out and
    // Enter, which checks the answer. It comes up while the answer box has
    // the focus after a touch, and goes when the focus leaves it or a real
    // keyboard types. It stands in for the device's own keyboard, which on
    // a Catalan tablet offers a comma, not a point, for decimals.
    let qtInput = null;
    let touched = false;
    const answerBox = () => shownWindow()?.querySelector('[id$="txtSolucioAlumnes"]');
    const placeKeypad = () => {
        const wanted = touched && qtInput?.getAttribute('data-qt-text-input') === 'true' && !ended;
        teclat.hidden = !wanted;
        pantalla.style.transform = '';
        if (!wanted)
            return;
        // The answer box stays in view above the keypad.
        const box = answerBox()?.getBoundingClientRect();
        const keypadTop = teclat.getBoundingClientRect().top;
        if (box && box.bottom + Margin > keypadTop)
            pantalla.style.transform = `translateY(${keypadTop - box.bottom - Margin}px)`;
    };
    const send = key => {
        if (!qtInput)
            return;
        if (key === 'Enter') {
            for (const type of ['keydown', 'keyup'])
                qtInput.dispatchEvent(new KeyboardEvent(type, { key: 'Enter', code: 'Enter', bubbles: true }));
        } else if (key === 'Backspace') {
            qtInput.dispatchEvent(new InputEvent('input', { inputType: 'deleteContentBackward', bubbles: true }));
        } else {
            qtInput.dispatchEvent(new InputEvent('input', { inputType: 'insertText', data: key, bubbles: true }));
        }
    };
    // The keys keep the page's focus where the program has it.
    teclat.addEventListener('pointerdown', event => event.preventDefault());
    teclat.addEventListener('click', event => {
        const key = event.target.closest('button')?.dataset.tecla;
        if (key)
            send(key);
    });
    addEventListener('pointerdown', event => {
        if (!teclat.contains(event.target)) {
            touched = event.pointerType !== 'mouse';
            fitSoon();
        }
    }, true);
    addEventListener('keydown', event => {
        if (event.isTrusted && touched) {
            touched = false;
            fitSoon();
        }
    }, true);
    // Qt's own field, which holds the page's keyboard focus for the program:
    // no keyboard of the device's comes up for it, and it says whether what
    // has the focus takes text.
    const findInput = () => [...document.body.children].find(e => e.tagName === 'INPUT');
    const watchInput = () => {
        qtInput = findInput();
        if (!qtInput)
            return;
        for (const [name, value] of [['inputmode', 'none'], ['autocomplete', 'off'], ['autocorrect', 'off'],
            ['autocapitalize', 'off'], ['spellcheck', 'false'], ['aria-hidden', 'true']])
            qtInput.setAttribute(name, value);
        new MutationObserver(fitSoon).observe(qtInput, { attributes: true, attributeFilter: ['data-qt-text-input'] });
    };
    // The page's keys belong to the program while it runs, in Qt's field.
    // In a frame of another site's page (a course's) the browser lets the
    // program take them only once the student has pressed on it, and Qt lets
    // them go to nothing as its windows change. So a press on the program
    // gives the field the keys where the frame has not got them or nothing
    // on the page has them; and where Qt lets them go to nothing while the
    // page has them, they go back, before any key that follows. (Keys the
    // student takes elsewhere, out of the frame, stay there.)
    const keepKeys = pressed => {
        const focus = document.activeElement;
        const field = qtInput || findInput();
        const nowhere = !focus || focus === document.body;
        if (!ended && field && (pressed ? nowhere || !document.hasFocus() : nowhere && document.hasFocus()))
            field.focus({ preventScroll: true });
    };
    addEventListener('pointerup', () => keepKeys(true), true);
    addEventListener('focusout', event => {
        if (!event.relatedTarget && event.target === (qtInput || findInput()))
            queueMicrotask(() => keepKeys(false));
    }, true);

    // The program's code, compiled by the browser as it arrives; the bar
    // counts a copy of the bytes as they come (their number is known when the
    // page is made, whether or not the server compresses them on the way),
    // from CountAfter on: code kept on this computer has come by then, and
    // reading the copy would take the page's time from the start instead.
    // Compiling the browser's own stream, rather than one passed through
    // this script, lets the program start some 150 ms sooner. A server that
    // sends nothing for a long while is given up. (Its name, and every other
    // file's, carries a digest of its contents in the page made:
    // make_page.cmake.)
    const total = Number(progres.dataset.bytes);
    const Silence = 20000;
    const CountAfter = 250;
    let keeping = Promise.resolve();
    const compile = async () => {
        const controller = new AbortController();
        let silent = setTimeout(() => controller.abort(), Silence);
        const heard = () => {
            clearTimeout(silent);
            silent = setTimeout(() => controller.abort(), Silence);
        };
        let response;
        try {
            response = await fetch('menvori.wasm', { signal: controller.signal });
        } catch (error) {
            throw new LoadError(controller.signal.aborted ? 'noAnswer' : 'noConnection');
        }
        heard();
        if (!response.ok)
            throw new LoadError(response.status === 404 ? 'notWebAssembly' : 'noConnection');
        // What a content filter sends in its place is a page, not the code.
        const type = response.headers.get('Content-Type') || '';
        if (/^text\//.test(type))
            throw new LoadError('notWebAssembly');
        keeping = keep(response);
        let stopCounting = () => {};
        if (response.body) {
            const reader = response.clone().body.getReader();
            let arrived = 0;
            const count = ({ done, value }) => {
                if (done) {
                    clearTimeout(silent);
                    return undefined;
                }
                heard();
                arrived += value.byteLength;
                progres.value = Math.min(arrived, total);
                return reader.read().then(count);
            };
            const counting = setTimeout(() => reader.read().then(count).catch(() => {}), CountAfter);
            stopCounting = () => {
                clearTimeout(counting);
                reader.cancel().catch(() => {});
            };
        }
        try {
            // A server that does not say the code is WebAssembly is usual
            // enough: the browser only compiles such code whole.
            if (typeof WebAssembly.compileStreaming !== 'function' || !type.startsWith('application/wasm'))
                return await WebAssembly.compile(await response.arrayBuffer());
            return await WebAssembly.compileStreaming(response);
        } catch (error) {
            if (controller.signal.aborted)
                throw new LoadError('noAnswer');
            throw error;
        } finally {
            stopCounting();
            clearTimeout(silent);
        }
    };

    // The page allows WebAssembly under its Content-Security-Policy only in
    // browsers that know 'wasm-unsafe-eval' (Chrome 97, Firefox 102, Safari
    // 16): an older one refuses to compile even the smallest module.
    const recentEnough = () => WebAssembly.compile(new Uint8Array([0, 0x61, 0x73, 0x6d, 1, 0, 0, 0]))
        .then(() => true, () => false);

    // The first window is on the screen and the page has a moment to spare:
    // what is not needed to start, the offline copy above all, waits for
    // this, so that it takes nothing from the start on a slow computer.
    let windowUp;
    const started = new Promise(resolve => {
        windowUp = resolve;
    }).then(() => new Promise(resolve => requestAnimationFrame(() => requestAnimationFrame(resolve))))
        .then(() => new Promise(resolve => (window.requestIdleCallback
            ? requestIdleCallback(resolve, { timeout: 1000 }) : setTimeout(resolve, 50))));

    // On a first visit no service worker serves the page yet: the program's
    // code is kept, in the service worker's store for this folder (sw.js),
    // which takes it from there rather than download it again. Afterwards
    // the worker keeps what passes through it. The copy is taken as the
    // code arrives and written once the program has started.
    const keep = async response => {
        if (!window.caches || !('serviceWorker' in navigator) || navigator.serviceWorker.controller)
            return;
        const copy = response.clone();
        await started;
        try {
            const cache = await caches.open('menvori ' + new URL('.', location.href).href);
            await cache.put(new URL(response.url).href, copy);
        } catch (error) {
            console.warn(error);
        }
    };

    // The drill has ended when no window of the program is shown any more,
    // after one has been: "Sortir", Alt+S, the menu's "Sortir" and the
    // window's close box all close the main window.
    let shown = false;
    const watchWindows = () => {
        const root = pantalla.querySelector('#qt-shadow-container')?.shadowRoot;
        if (!root)
            return;
        const check = () => {
            const open = Boolean(shownWindow());
            shown = shown || open;
            if (shown && !open && !ended)
                say(messages.finished, true);
            fitSoon();
        };
        new MutationObserver(check).observe(root, {
            subtree: true, childList: true, attributes: true, attributeFilter: ['style']
        });
        check();
    };

    let running = false;
    const start = async () => {
        try {
            // The code is on its way while the browser is asked whether it
            // can run it at all.
            const module = compile();
            module.catch(() => {});
            await scriptsRead;
            if (typeof qtLoad !== 'function' || typeof window.menvori_entry !== 'function') {
                say(messages.noConnection, true);
                return;
            }
            if (!await recentEnough()) {
                say(messages.tooOld, false);
                return;
            }
            await qtLoad({
                qt: {
                    entryFunction: window.menvori_entry,
                    module,
                    containerElements: [pantalla],
                    // The faces are the program's own, the same everywhere.
                    localFonts: { familiesCollection: 'NoFontFamilies' },
                    onLoaded: () => {
                        estat.hidden = true;
                    },
                    // Until the program runs, what went wrong comes as an
                    // error, below.
                    onExit: exit => {
                        if (running && !ended)
                            say(!exit.crashed ? messages.closed
                                : outOfMemory.test(exit.text) ? messages.noMemory : messages.crashed, true);
                    }
                }
            });
            running = true;
            // The program has started, and its first window is up.
            watchInput();
            watchWindows();
            windowUp();
            // Once opened over HTTPS (or from this computer), the page works
            // with no network too (sw.js); its files are kept now, not while
            // the program is on its way.
            await started;
            await keeping;
            if ('serviceWorker' in navigator && window.isSecureContext)
                navigator.serviceWorker.register('sw.js').catch(() => {});
        } catch (error) {
            console.error(error);
            if (!ended)
                say(messageFor(error), true);
        }
    };
    start();
})();
