// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan
`define MASK 8'hFF

module m(m_clock, p_reset, a, o, p, q, r, s);
   input m_clock;
   input p_reset;
   input [15:0] a;
   output [15:0] o;
   output [23:0] p;
   output [7:0] q;
   output [11:0] r;
   output [19:0] s;

   assign o = (a&16'hFFFF);

   assign p = ({8'b00000001,({6'o17,{2'b11,8'hFF}})});

   assign q = (`MASK&a[15:8]);

   assign r = ({{8{a[3]}},a[3:0]});

   assign s = (a[9:0]<<10);
endmodule
