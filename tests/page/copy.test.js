'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { launch, openPage, clickCopy } = require('./harness');

const DONE = '复制成功！现在您可以粘贴【Ctrl+V】到其它地方了。';
const FAILED = '复制失败。';
const EMPTY_FORM = '电脑配置报价表\r\n\r\n\r\n合计:';
const EXAMPLE = '电脑配置报价表\r\n\r\nCPU: AMD  899元\r\n内存:   199元\r\n\r\n合计:1098元';

// The legacy engine's clipboard object; `answer` is what setData returns ('throw' to refuse).
function legacyClipboard(answer) {
  return `window.clipboardData = {
    calls: [],
    setData: function (format, text) {
      this.calls.push([format, text]);
      if (${JSON.stringify(answer)} === 'throw') throw new Error('access denied');
      return ${JSON.stringify(answer)};
    }
  };`;
}

async function fillExample(page) {
  await page.selectOption('#Select1', 'AMD');
  await page.type('#Text9', '899');
  await page.type('#Text11', '199');
  await page.press('#Text11', 'Enter');
}

// Copies through the stand-in legacy clipboard object; returns the text it was given.
async function copyText(page) {
  assert.equal(await clickCopy(page), DONE);
  const calls = await page.evaluate(() => window.clipboardData.calls);
  return calls[calls.length - 1][1];
}

// Byte for byte: the same UTF-16 code units, shown as escapes when they differ.
function assertSameText(actual, expected) {
  assert.equal(JSON.stringify(actual), JSON.stringify(expected));
}

let env;
test.before(async () => { env = await launch(); });
test.after(async () => { await env.close(); });

test('current engine: the quotation lands on the system clipboard', async () => {
  const page = await openPage(env, { permissions: ['clipboard-read', 'clipboard-write'] });
  assert.equal(await clickCopy(page), DONE);
  assertSameText(await page.evaluate(() => navigator.clipboard.readText()), EMPTY_FORM);
  await fillExample(page);
  assert.equal(await clickCopy(page), DONE);
  assertSameText(await page.evaluate(() => navigator.clipboard.readText()), EXAMPLE);
  await page.context().close();
});

test('legacy clipboard object: format "text" and the exact quotation', async () => {
  const page = await openPage(env, { init: legacyClipboard(true) });
  assert.equal(await clickCopy(page), DONE);
  await fillExample(page);
  assert.equal(await clickCopy(page), DONE);
  const calls = await page.evaluate(() => window.clipboardData.calls);
  assert.equal(calls.length, 2);
  assert.equal(calls[0][0], 'text');
  assertSameText(calls[0][1], EMPTY_FORM);
  assertSameText(calls[1][1], EXAMPLE);
  await page.context().close();
});

test('rows with only a model, only a price, blanks and leading zeros', async () => {
  const page = await openPage(env, { init: legacyClipboard(true) });
  await page.type('input[name="txtPlace"]', 'AMD');
  await page.type('#Text12', '007');
  await page.type('input[name="txtPlace12"]', ' ');
  await page.selectOption('#Select9', '航嘉  400W');
  await page.type('#Text17', '180');
  await page.press('#Text17', 'Enter');
  assertSameText(await copyText(page), '电脑配置报价表\r\n\r\nCPU: AMD\r\n硬盘:   007元\r\n电源: 航嘉  400W  180元\r\n其它:  \r\n\r\n合计:187元');
  await page.context().close();
});

test('a price typed without Enter counts once the copy button takes the focus', async () => {
  const page = await openPage(env, { init: legacyClipboard(true) });
  await page.type('#Text9', '1500');
  await page.type('#Text10', '2000');
  const text = await copyText(page);
  assert.equal(await page.inputValue('#pTol'), '3500元');
  assertSameText(text, '电脑配置报价表\r\n\r\nCPU:   1500元\r\n主板:   2000元\r\n\r\n合计:3500元');
  await page.context().close();
});

test('the total is copied as shown, even when edited by hand', async () => {
  const page = await openPage(env, { init: legacyClipboard(true) });
  await page.type('#pTol', '面议');
  assertSameText(await copyText(page), `${EMPTY_FORM}面议`);
  await page.context().close();
});

test('a clipboard that refuses gives the failure message', async () => {
  const refusals = [
    ['legacy object answers false', legacyClipboard(false)],
    ['legacy object throws', legacyClipboard('throw')],
    ['current interface rejects',
     'navigator.clipboard.writeText = function () { return Promise.reject(new Error("denied")); };'],
    ['current interface throws', 'navigator.clipboard.writeText = function () { throw new Error("denied"); };'],
    ['no clipboard at all', 'Object.defineProperty(Navigator.prototype, "clipboard", { get: function () {} });'],
  ];
  for (const [name, init] of refusals) {
    const page = await openPage(env, { init });
    assert.equal(await clickCopy(page), FAILED, name);
    assert.deepEqual(page.errors, [], name);
    await page.context().close();
  }
});
