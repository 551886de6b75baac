'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { launch, openPage } = require('./harness');

function seenEvents() {
  return window.seen.map((e) => [e.type === 'contextmenu' ? 'menu' : e.key, e.defaultPrevented]);
}

let env;
let page;
test.before(async () => {
  env = await launch();
  page = await openPage(env);
  await page.evaluate(() => {
    window.loadedOnce = true;
    window.seen = [];
    // Captured before the page's handler runs; read once the dispatch is over, the events
    // tell what that handler decided.
    window.addEventListener('keydown', (e) => window.seen.push(e), true);
    window.addEventListener('contextmenu', (e) => window.seen.push(e), true);
  });
});
test.after(async () => { await env.close(); });

// Headless chromium has no reload shortcut of its own, so what counts is that the key's
// default action was cancelled, on the page and inside a field.
test('F5 is cancelled and the quotation stays', async () => {
  await page.type('#Text9', '899');
  await page.keyboard.press('F5');
  await page.press('#Text9', 'F5');
  assert.equal(await page.evaluate(() => window.loadedOnce), true);
  assert.equal(await page.inputValue('#Text9'), '899');
  const f5 = (await page.evaluate(seenEvents)).filter(([key]) => key === 'F5');
  assert.deepEqual(f5, [['F5', true], ['F5', true]]);
});

test('other keys pass the page-wide key handler', async () => {
  await page.evaluate(() => { window.seen = []; });
  await page.press('input[name="txtPlace"]', 'a');
  await page.press('input[name="txtPlace"]', 'F4');
  assert.deepEqual(await page.evaluate(seenEvents), [['a', false], ['F4', false]]);
  assert.equal(await page.inputValue('input[name="txtPlace"]'), 'a');
});

test('the context menu is suppressed everywhere', async () => {
  await page.evaluate(() => { window.seen = []; });
  for (const target of ['#ButtonMove', '#Text9', 'input[name="txtPlace"]', '#pcinfo0', 'body']) {
    await page.click(target, { button: 'right' });
  }
  assert.deepEqual(await page.evaluate(seenEvents), Array(5).fill(['menu', true]));
});

test('script errors are swallowed by the page', async () => {
  const handled = await page.evaluate(() => window.onerror('boom', 'x', 1) === true && window.onerror === ResumeError);
  assert.equal(handled, true);
});
