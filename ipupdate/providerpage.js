// The confirm's work in the provider's page, called with the four texts as one object. Both
// passes run in this one call, so nothing of the page runs between filling and pressing, and a
// failed fill presses nothing. It runs in an isolated world: the page's scripts can neither see
// nor replace what it uses, and it reads the form and its elements through the prototypes, as a
// field named "forms" or "elements" would hide them from a plain property read. It never throws:
// it answers what happened.
(function (fields) {
    'use strict';
    var formsOf = Object.getOwnPropertyDescriptor(Document.prototype, 'forms').get;
    var elementsOf = Object.getOwnPropertyDescriptor(HTMLFormElement.prototype, 'elements').get;
    var filled = [
        ['username', fields.username],
        ['domain', fields.domain],
        ['password', fields.password],
        ['url', fields.url]
    ];

    function nameOf(element) {
        var name = element.name;
        return typeof name === 'string' ? name : '';
    }

    function setValue(element, text) {
        if (!('value' in element))
            throw new TypeError('the element has no value');
        element.value = text;
        // A list keeps its old choice when the text is none of its options.
        if (element instanceof HTMLSelectElement && element.value !== text)
            throw new TypeError('the list has no such entry');
    }

    function press(element) {
        if (element.disabled)
            throw new TypeError('the element is disabled');
        element.click();
    }

    var form = formsOf.call(document).item(0);
    if (!form)
        return { fault: 'noform' };
    var elements = elementsOf.call(form);

    var count = elements.length;
    for (var i = 0; i < count; ++i) {
        for (var k = 0; k < filled.length; ++k) {
            try {
                var element = elements.item(i);
                if (nameOf(element) === filled[k][0])
                    setValue(element, filled[k][1]);
            } catch (error) {
                return { fault: 'value', index: i, name: filled[k][0], detail: String(error) };
            }
        }
    }

    var pressed = 0;
    count = elements.length;
    for (var j = 0; j < count; ++j) {
        try {
            var button = elements.item(j);
            if (nameOf(button) === 'ok3') {
                press(button);
                ++pressed;
            }
        } catch (error) {
            return { fault: 'press', index: j, pressed: pressed, detail: String(error) };
        }
    }
    return { pressed: pressed };
})
