// This file was translated at Mon Dec  7 20:10:03 2026
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b, s, c, x, y, o, p, q, r, t);
   input m_clock;
   input p_reset;
   input a;
   input [3:0] b;
   input [1:0] s;
   input [3:0] c;
   input [3:0] x;
   input [7:0] y;
   output o;
   output p;
   output q;
   output [7:0] r;
   output [7:0] t;
   wire [3:0] _u_x;
   wire [3:0] _u_q;
   wire _u_op;
   cmp u(.m_clock(m_clock), .p_reset(p_reset), .x(_u_x), .q(_u_q), .op(_u_op));

   assign o = (a<b[s]);

   assign p = (_u_q<=c);

   assign q = (((((c<4'd10))))?a:1'b0)|
   ((((~((c<4'd10)))))?b[s]:1'b0);

   assign r = ({(-x)}+y);

   assign t = ({(c<<s)}+y);

   assign _u_x = b;

   assign _u_op = 1'b1;
endmodule
